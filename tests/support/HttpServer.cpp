#include "support/HttpServer.h"

using namespace Qt::StringLiterals;

namespace tvr::test
{

HttpServer::HttpServer(const QString &rootDir)
    : m_process(u"HTTP"_s, {QStringLiteral(TVR_SOURCE_DIR "/tests/support/http-test-server"), u"--root"_s, rootDir})
{
}

QString HttpServer::url(const QString &path) const
{
    return u"http://"_s + host() + path;
}

} // namespace tvr::test
