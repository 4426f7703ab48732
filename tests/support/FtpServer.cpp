#include "support/FtpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace tvr::test
{

namespace
{
QStringList ServerArguments(const QString &rootDir, const FtpServerOptions &options)
{
    QStringList arguments{QStringLiteral(TVR_SOURCE_DIR "/tools/demo-manufacturer"),
                          u"--root"_s,
                          rootDir,
                          u"--port"_s,
                          u"0"_s,
                          u"--user"_s,
                          options.user,
                          u"--password"_s,
                          options.password};
    if (options.throttleBytesPerSecond > 0)
        arguments << u"--throttle"_s << QString::number(options.throttleBytesPerSecond);
    if (!options.catalogues.isEmpty())
        arguments << u"--catalogues"_s << options.catalogues;
    if (options.activeOnly)
        arguments << u"--active-only"_s;
    if (options.dropUploadsAfterBytes > 0)
        arguments << u"--drop-uploads-after"_s << QString::number(options.dropUploadsAfterBytes) << u"--drop-count"_s
                  << QString::number(options.dropCount);
    return arguments;
}
} // namespace

FtpServer::FtpServer(const QString &rootDir, Options options) : m_process(u"FTP"_s, ServerArguments(rootDir, options))
{
}

void FtpServer::WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void FtpServer::WriteMarkers(const QString &folder, const QStringList &names)
{
    for (const QString &name : names)
        WriteFile(QDir(folder).filePath(name), {});
}

} // namespace tvr::test
