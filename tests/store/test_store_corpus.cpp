// The fuzzer's corpus, replayed: every input in it keeps passing the checks.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "storecheck.h"

class TestStoreCorpus : public QObject {
    Q_OBJECT

private slots:
    void corpus_data()
    {
        QTest::addColumn<QString>("file");
        const QDir dir(QStringLiteral(STORE_CORPUS));
        const QStringList names = dir.entryList(QDir::Files);
        QVERIFY(names.size() >= 10);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    void corpus()
    {
        QFETCH(QString, file);
        QFile input(file);
        QVERIFY(input.open(QIODevice::ReadOnly));
        QTemporaryDir folder;
        const QByteArray bytes = input.readAll();
        const QString failure = quintara::CheckStore(bytes, folder.path());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        const QString inMemory = quintara::CheckDocument(bytes);
        QVERIFY2(inMemory.isEmpty(), qPrintable(inMemory));
    }
};

QTEST_GUILESS_MAIN(TestStoreCorpus)
#include "test_store_corpus.moc"
