#pragma once
// One run of the game's store on an input, and the checks on what it wrote,
// shared by the fuzzer and the replay of its corpus. The input's first bytes
// choose what the game stores and with which values; the rest is the file as
// the game finds it.

#include <QByteArray>
#include <QString>

namespace quintara {

// What went wrong, empty when every check held. `folder` is emptied first.
QString CheckStore(const QByteArray &input, const QString &folder);

// The same checks on the document alone, in memory: the game's values set
// into the file as found, written, read back, written again. Fast enough
// for millions of inputs.
QString CheckDocument(const QByteArray &input);

} // namespace quintara
