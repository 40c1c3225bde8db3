#pragma once

#include "groupwise/runs.h"

#include <QPointer>
#include <functional>

class QLabel;
class QTreeWidget;

namespace mv {

// Shows a run in the window: one row of lvVerarbeitung per user and the three progress
// labels; warnings go to the window's message box.
class RunView : public RunObserver {
public:
    struct Widgets {
        QTreeWidget* list = nullptr; // lvVerarbeitung
        QLabel* name = nullptr;      // lblName
        QLabel* date = nullptr;      // lblDatum
        QLabel* designation = nullptr;
    };

    RunView(Widgets widgets, std::function<void(const Notice&)> showWarning);

    void warning(Msg message, const Notice& notice) override;
    void clearRows() override;
    void showLabels(Labels which) override;
    void hideLabels() override;
    void nameLabel(const QString& text) override;
    void dateLabel(const QString& text) override;
    void designationLabel(const QString& text) override;
    void userStarted(const QString& userText) override;
    void loginColumn(const QString& text) override;
    void entryColumn(const QString& text) override;
    void processEvents() override;

private:
    void setLastRow(int column, const QString& text);

    // Guarded: a window closed while events run must not leave the run writing into it.
    QPointer<QTreeWidget> list_;
    QPointer<QLabel> name_;
    QPointer<QLabel> date_;
    QPointer<QLabel> designation_;
    std::function<void(const Notice&)> showWarning_;
};

} // namespace mv
