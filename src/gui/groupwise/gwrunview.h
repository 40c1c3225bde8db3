#pragma once

#include "runs/run.h"

#include <QElapsedTimer>
#include <QPointer>
#include <functional>

class QLabel;
class QTreeWidget;

namespace mv {

// Shows a run in the window: one row of lvVerarbeitung per target and the three progress
// labels; warnings go to the window's message box. While a write run works, the labels
// follow it and window events run at most every 50 ms, so the window costs the run little.
class RunView : public RunObserver {
public:
    struct Widgets {
        QTreeWidget* list = nullptr; // lvVerarbeitung
        QLabel* name = nullptr;      // lblName
        QLabel* date = nullptr;      // lblDatum
        QLabel* designation = nullptr;
    };
    static constexpr qint64 kRefreshMs = 50;

    RunView(Widgets widgets, MessageTable messages, std::function<void(const Notice&)> showWarning);

    void warning(Msg message, const Notice& notice) override;
    void runStarted(RunKind kind, int targets) override;
    void targetStarted(const QString& target) override;
    void loginResult(const QString& target, bool ok) override;
    void dayStarted(const QString& target, const DayEntry& day) override;
    void dayResult(const QString& target, const DayEntry& day, bool ok) override;
    void entryDeleted(const QString& target, int number, bool ok) override;
    void targetFinished(const ProcessingRow& row) override;
    void runFinished() override;

private:
    void setLastRow(int column, const QString& text);
    void setLabel(QLabel* label, const QString& text);
    // Shows the latest day and lets window events run, when the last time is 50 ms ago.
    void refresh();

    // Guarded: a window closed while events run must not leave the run writing into it.
    QPointer<QTreeWidget> list_;
    QPointer<QLabel> name_;
    QPointer<QLabel> date_;
    QPointer<QLabel> designation_;
    MessageTable messages_;
    std::function<void(const Notice&)> showWarning_;
    RunKind kind_ = RunKind::Write;
    QElapsedTimer sinceRefresh_;
    bool dayPending_ = false;
    bool scrollPending_ = false;
    QString target_;
    DayEntry day_;
};

} // namespace mv
