#include "settings/definitionfile.h"

#include "files/safefile.h"
#include "settings/codepage.h"

#include <QFileInfo>

namespace mv {

namespace {

const QString kFileName = QStringLiteral("Marvolingen.txt");

// The folder with its separator; a Windows-style trailing backslash counts as one.
QString folderWithSeparator(const QString& folderText) {
    QString folder = folderText.trimmed();
    if (folder.endsWith(u'/'))
        return folder;
    if (folder.endsWith(u'\\'))
        folder.chop(1);
    return folder + u'/';
}

} // namespace

QString definitionFilePath(const QString& folderText) {
    return folderWithSeparator(folderText) + kFileName;
}

Result<void, DefinitionFileFailure> writeDefinitionFile(const QString& folderText,
                                                        const DayList& rows) {
    // An empty field names no folder; it must not end up as the file system root.
    if (folderText.trimmed().isEmpty() || !QFileInfo(folderWithSeparator(folderText)).isDir())
        return DefinitionFileFailure::FolderMissing;
    QByteArray bytes;
    for (const DayEntry& row : rows) {
        bytes += toCp1252(row.date);
        bytes += '\a';
        bytes += toCp1252(row.designation);
        bytes += "\r\n";
    }
    if (!atomicWrite(definitionFilePath(folderText), bytes))
        return DefinitionFileFailure::WriteFailed;
    return {};
}

} // namespace mv
