#include "support/TestDataFolder.h"

#include "database/DB_Schema.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace tvr::test
{

namespace
{
QString ReadText(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture " + file.toStdString());
    return QString::fromUtf8(f.readAll());
}
} // namespace

QString DemoDataDir()
{
    return QStringLiteral(TVR_SOURCE_DIR "/data/demo");
}

TestDataFolder::TestDataFolder() : m_folder(m_dir.path())
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
}

void TestDataFolder::writeMaterials(const QStringList &scripts) const
{
    CreatePlainDatabase(m_folder.materialsCatalogue(), Placement::Materials, scripts);
}

void TestDataFolder::writeForest(const QStringList &scripts) const
{
    CreatePlainDatabase(m_folder.forestCatalogue(), Placement::Forest, scripts);
}

void TestDataFolder::writeDemoCatalogues() const
{
    const QDir demo(DemoDataDir());
    writeMaterials({ReadText(demo.filePath(u"materials.sql"_s))});
    writeForest({ReadText(demo.filePath(u"forest.sql"_s))});
}

std::unique_ptr<TDatabaseConnection> TestDataFolder::open() const
{
    return std::make_unique<TDatabaseConnection>(m_folder);
}

ErrorRecorder::ErrorRecorder()
{
    m_previousReporter = SetErrorReporter(
        [this](const QString &message, const QString &detail) { errors.emplace_back(message, detail); });
    m_previousEnder = SetProgramEnder([this] { ++programEnds; });
}

ErrorRecorder::~ErrorRecorder()
{
    SetErrorReporter(std::move(m_previousReporter));
    SetProgramEnder(std::move(m_previousEnder));
}

} // namespace tvr::test
