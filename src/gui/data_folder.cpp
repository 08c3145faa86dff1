#include "gui/data_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orv::gui {

namespace {

constexpr int kLevelsAboveProgram = 3;

QString shareFolder(const QDir& dir, const QString& name) {
    return QDir::cleanPath(dir.filePath(QStringLiteral("share/orvanta/") + name));
}

}  // namespace

QString findDataFolder(const QString& programDir, const QString& name, const QString& marker) {
    QDir dir(programDir);
    for (int level = 1; level <= kLevelsAboveProgram; ++level) {
        if (!dir.cdUp()) break;
        const QString candidate = shareFolder(dir, name);
        if (QFileInfo(candidate).isDir() && (marker.isEmpty() || QFileInfo::exists(candidate + u'/' + marker)))
            return candidate;
    }
    return {};
}

QString dataFolder(const QString& name, const QString& marker) {
    return findDataFolder(QCoreApplication::applicationDirPath(), name, marker);
}

QString expectedDataFolder(const QString& name) {
    return shareFolder(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")), name);
}

}  // namespace orv::gui
