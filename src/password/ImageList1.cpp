#include "ImageList1.h"

#include <QStringList>

// Outside any namespace, as Q_INIT_RESOURCE requires: the resources live in a static library,
// whose initialiser nothing else references.
static bool loadPasswordResources() {
    Q_INIT_RESOURCE(password);
    return true;
}

namespace ImageList1 {

QIcon image(int index) {
    [[maybe_unused]] static const bool loaded = loadPasswordResources();
    static const QStringList files{QStringLiteral(":/password/cancel-32.png"),
                                   QStringLiteral(":/password/key-32.png")};
    if (index < 1 || index > files.size())
        return QIcon();
    return QIcon(files.at(index - 1));
}

} // namespace ImageList1
