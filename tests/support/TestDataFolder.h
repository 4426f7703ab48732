#pragma once
// A fresh temporary data folder per test, built from the schema and small fixture SQL; tests
// never touch the user's real data folder.

#include "common/CN_CommonErrorFunctions.h"
#include "common/SYS_SystemConstants.h"
#include "database/DB_DatabaseConnection.h"

#include <QTemporaryDir>

#include <memory>
#include <utility>
#include <vector>

namespace tvr
{
// The engine handle, for tests that must make the engine itself fail.
class TestAccess
{
public:
    static sqlite3 *handle(TDatabaseConnection &db) { return db.m_db; }
};
} // namespace tvr

namespace tvr::test
{

class TestDataFolder
{
public:
    TestDataFolder();
    const DataFolder &folder() const { return m_folder; }
    QString path(const QString &name) const { return m_folder.file(name); }

    // The catalogue files, made from the schema and the given fixture SQL (UTF-8).
    void writeMaterials(const QStringList &scripts = {}) const;
    void writeForest(const QStringList &scripts = {}) const;
    // The demo installation's data (data/demo) in this folder.
    void writeDemoCatalogues() const;

    // Opens the connection as the program does (creating tvr.s3db on first open).
    std::unique_ptr<TDatabaseConnection> open() const;

private:
    QTemporaryDir m_dir;
    DataFolder m_folder;
};

// Records what the error dialog would show, and program ends, while it lives.
class ErrorRecorder
{
public:
    ErrorRecorder();
    ~ErrorRecorder();
    ErrorRecorder(const ErrorRecorder &) = delete;
    ErrorRecorder &operator=(const ErrorRecorder &) = delete;

    std::vector<std::pair<QString, QString>> errors; // message, detail
    int programEnds = 0;

private:
    ErrorReporter m_previousReporter;
    ProgramEnder m_previousEnder;
};

// The folder of the demo installation's SQL (data/demo in the source tree).
QString DemoDataDir();

} // namespace tvr::test
