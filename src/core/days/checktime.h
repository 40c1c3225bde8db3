#pragma once

#include <QString>

namespace mv {

enum class TimeCheck {
    Ok,
    Invalid,        // MsgTimeInvalid
    EndBeforeStart, // MsgEndBeforeStart
};

// Tests and normalises a time field ("7:5" -> "07:05"). The order of start and end is
// tested only for the holiday appearance pair (fieldName containing "Darstellung");
// a field whose name contains "Von" is the start of its pair.
TimeCheck CheckTime(QString& field, const QString& fieldName, const QString& partner);

// Minutes of a time text as the check computes them.
int timeMinutes(const QString& text);

} // namespace mv
