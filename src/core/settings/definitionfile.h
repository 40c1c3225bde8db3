#pragma once

#include "calendar/dayentry.h"
#include "ui/result.h"

namespace mv {

enum class DefinitionFileFailure { FolderMissing, WriteFailed };

// The path of Marvolingen.txt for the folder text of "Definition speichern unter".
QString definitionFilePath(const QString& folderText);

// Writes date BEL designation CR LF per row in Windows-1252, replacing the old file
// atomically. Nothing is written when the folder does not exist.
Result<void, DefinitionFileFailure> writeDefinitionFile(const QString& folderText,
                                                        const DayList& rows);

} // namespace mv
