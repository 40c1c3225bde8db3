#pragma once

#include "ui/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QStringList>
#include <QTreeWidget>

// Control factories of the main window and its parts: each control carries its name.
namespace mv::controls {

template <class W> W* named(const QString& name, QWidget* parent = nullptr) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

inline QGroupBox* frame(const QString& name) {
    return named<QGroupBox>(name);
}

inline QLabel* label(const QString& name) {
    return named<QLabel>(name);
}

inline QLineEdit* field(const QString& name) {
    return named<QLineEdit>(name);
}

// Wide enough for "24:00" and nothing more, so the "Uhr" label sits right behind it.
inline QLineEdit* timeField(const QString& name) {
    auto* f = field(name);
    f->setMaxLength(32767);
    f->setFixedWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("000:000")) + 16);
    return f;
}

// A report-style list; a header click sorts through the owner's handler, never by itself.
inline QTreeWidget* reportList(const QString& name, const QStringList& columns) {
    auto* list = named<QTreeWidget>(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSortingEnabled(false);
    list->setHeaderLabels(columns);
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    list->header()->setStretchLastSection(true);
    return list;
}

// Puts a caption on a control of any captioned kind; other objects are left alone.
inline void setCaption(QObject* o, const QString& text) {
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(o))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(o))
        g->setTitle(text);
    else if (auto* m = qobject_cast<QMenu*>(o))
        m->setTitle(text);
    else if (auto* a = qobject_cast<QAction*>(o); a && !a->isSeparator())
        a->setText(text);
}

// The month calendars speak the interface language.
inline QLocale calendarLocale(Language language) {
    if (language == Language::English)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return QLocale(QLocale::German, QLocale::Germany);
}

} // namespace mv::controls
