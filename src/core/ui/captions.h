#pragma once

#include "ui/language.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace mv {

// Runtime captions the language switch puts on the main window (German / English).
struct Caption {
    QString objectName;
    QString german;
    QString english;
};

const QList<Caption>& mainWindowCaptions();

// Captions a control shows before any language is applied (menus with access keys).
struct DesignedCaption {
    QString objectName;
    QString text;
};

const QList<DesignedCaption>& mainWindowDesignedCaptions();

// A list of captions in both languages, in display order.
struct CaptionList {
    QStringList german;
    QStringList english;
    const QStringList& in(Language language) const {
        return language == Language::English ? english : german;
    }
};

const CaptionList& tabCaptions();              // Tab1, tabs 0..4
const CaptionList& dayColumnCaptions();        // lvListe and lvWeitereTage
const CaptionList& addressColumnCaptions();    // lvAdressen and lstAddressBookEntries
const CaptionList& processingColumnCaptions(); // lvVerarbeitung
const CaptionList& weekdayInitials();          // Sunday first
const CaptionList& monthNames();               // January first

// Designed column captions where they differ from the German runtime ones.
const QStringList& designedFurtherDayColumns(); // "Uhrzeit" in place of "Zeit"

// Window caption: without year (language applied) and with year (year field left).
QString windowCaption(Language language);
QString windowCaptionWithYear(Language language, const QString& year);

} // namespace mv
