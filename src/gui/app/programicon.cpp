#include "app/programicon.h"

namespace mv {

QIcon programWindowIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/marvolingen.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace mv
