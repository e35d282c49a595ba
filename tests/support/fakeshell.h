#pragma once
// A desktop that records what the game asks of it and answers questions
// from a script, so the game's logic runs in tests without a window.

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "core/analysis.h"
#include "core/record.h"
#include "core/shell.h"

namespace quintara::test {

struct Notice {
    QString text;
    QString caption;
    NoticeIcon icon;
};

struct Flight {
    CardCode card;
    int fromX, fromY, toX, toY;
};

class FakeShell : public Shell {
public:
    // Answers for the coming questions, in order; Yes once they run out
    // unless `defaultAnswer` says otherwise.
    std::deque<bool> answers;
    bool defaultAnswer = true;
    // The buttons chosen in the coming questions with buttons of their own; the first once they run out.
    std::deque<int> choices;
    // The record last kept on the "disk"; nothing once the game was dropped.
    std::optional<GameRecord> kept;
    int keeps = 0;
    int explanations = 0;

    QString status[4];
    std::vector<Notice> notices;
    QStringList questions;
    std::vector<Flight> flights;
    std::vector<PaintSender> repaints;
    Pointer pointer = Pointer::Arrow;
    bool captured = false;
    bool buttonVisible[2] = {false, false};
    bool buttonEnabled[2] = {true, true};
    std::vector<MoveAnalysis> analyses;
    bool timerEnabled[2] = {false, false};
    int statisticsShown = 0;
    int statisticsSaved = 0;
    bool released = false;
    bool closed = false;
    int commandStatesApplied = 0;
    int eventsProcessed = 0;
    int pausedMs = 0;
    int infoPanelResets = 0;
    int detailsCleared = 0;
    int sidePictureRefreshes = 0;
    std::vector<CardCode> heldCardsDrawn;
    QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0));
    // What "the player" does while the game handles its events; `wait` says
    // whether the game would sleep until the next event.
    std::function<void(bool wait)> onProcessEvents;
    std::function<void(PaintSender)> onRepaint;

    void SetStatusText(int panel, const QString &text) override { status[panel] = text; }
    void ShowNotice(const QString &text, const QString &caption, NoticeIcon icon) override
    {
        notices.push_back({text, caption, icon});
    }
    bool AskYesNo(const QString &text, const QString &caption) override;
    int AskChoice(const QString &text, const QString &caption, const QStringList &buttons) override;
    void SetPointer(Pointer p) override { pointer = p; }
    void CaptureMouse() override { captured = true; }
    void ReleaseMouse() override { captured = false; }
    void Repaint(PaintSender sender) override
    {
        repaints.push_back(sender);
        if (onRepaint)
            onRepaint(sender);
    }
    void DrawHeldCard(int, int, CardCode card) override { heldCardsDrawn.push_back(card); }
    void FlyCard(CardCode card, int fromX, int fromY, int toX, int toY) override
    {
        flights.push_back({card, fromX, fromY, toX, toY});
    }
    void ResetInfoPanel() override { ++infoPanelResets; }
    void ClearDetailsPanel(bool) override { ++detailsCleared; }
    void RefreshSidePicture() override { ++sidePictureRefreshes; }
    void ShowAnalysis(const MoveAnalysis &analysis) override { analyses.push_back(analysis); }
    void ApplyCommandStates() override { ++commandStatesApplied; }
    void SetButtonVisible(Button button, bool visible) override
    {
        buttonVisible[static_cast<int>(button)] = visible;
    }
    void SetButtonEnabled(Button button, bool enabled) override
    {
        buttonEnabled[static_cast<int>(button)] = enabled;
    }
    void SetTimerEnabled(GameTimer timer, bool enabled) override
    {
        timerEnabled[static_cast<int>(timer)] = enabled;
    }
    void ShowStatisticsDialog() override { ++statisticsShown; }
    void SaveStatistics() override { ++statisticsSaved; }
    void KeepGame(const GameRecord &record) override
    {
        kept = record;
        ++keeps;
    }
    void DropKeptGame() override { kept.reset(); }
    void ExplainLoss() override { ++explanations; }
    void ReleaseResources() override { released = true; }
    void CloseMainWindow() override { closed = true; }
    void ProcessEvents(bool wait) override
    {
        ++eventsProcessed;
        if (onProcessEvents)
            onProcessEvents(wait);
    }
    void Pause(int ms) override
    {
        pausedMs += ms;
        now = now.addMSecs(ms);
    }
    QDateTime Now() override { return now; }
};

} // namespace quintara::test
