// corvane-tool import and export run as a user runs them.
#include "select/filter_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int code = -1;
    QString out;
    QString err;
};

class ExchangeTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }
    ToolRun run(const QStringList& args) {
        QProcess tool;
        tool.setWorkingDirectory(home.path());
        tool.start(CORVANE_TOOL, args);
        if (!tool.waitForFinished(120000))
            return {};
        return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
                QString::fromUtf8(tool.readAllStandardError())};
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(home.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QByteArray read(const QString& name) {
        QFile file(home.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    // The address file's records as the table dump shows them, without its field line.
    QStringList dump(const QString& db) {
        QStringList lines = run({"db", "dump", db}).out.split('\n', Qt::SkipEmptyParts);
        if (!lines.isEmpty())
            lines.removeFirst();
        return lines;
    }
    QTemporaryDir home;
};

TEST_F(ExchangeTool, ImportsTextIntoANewAddressFileAndExportsItFilteredAndOrdered) {
    const QString db = home.filePath("ADD0001.DBF");
    // The first line sets the number of columns.
    write("in.csv", "\xEF\xBB\xBF"
                    "\"\",\"Zoë\",\"\",\"Zeller\",,,,,\"Graz\"\r\n"
                    "\"Dr.\",\"Amy\",\"\",\"Adams\",,,,,\"Vienna\"\r\n"
                    "\"\",\"Bob\",\"\",\"Baker\",,,,,\"Vienna\"\r\n");
    const ToolRun imported = run({"import", "csv", "in.csv", "--into", db});
    EXPECT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "Import complete. Imported 3 records.\n");
    EXPECT_EQ(run({"db", "check", db}).code, 0);

    selection::QueryVars vars;
    vars[selection::Criterion::City] = "vi";
    ASSERT_TRUE(selection::SaveFilterTo(home.filePath("V.FLT"), vars));
    const ToolRun exported = run(
        {"export", db, "--filter", "V.FLT", "--order", "FNAME", "--to", "csv", "--out", "out.txt"});
    EXPECT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_EQ(QString(read("out.txt")).toStdString(),
              "\"Dr.\",\"Amy\",\"\",\"Adams\",\"\",\"\",\"\",\"\",\"Vienna\",\"\",\"\",\"\",\"\","
              "\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
              "\"\",\"Bob\",\"\",\"Baker\",\"\",\"\",\"\",\"\",\"Vienna\",\"\",\"\",\"\",\"\",\"\","
              "\"\",\"\",\"\",\"\",\"\",\"\"\r\n");

    // The export's refusals: its own file, an existing file, a table without .DBF.
    EXPECT_EQ(run({"export", db, "--to", "dbf", "--out", "add0001.dbf"}).err,
              "corvane-tool: Cannot copy a file to itself!\n");
    const ToolRun existing = run({"export", db, "--to", "csv", "--out", "out.txt"});
    EXPECT_EQ(existing.code, 1);
    EXPECT_TRUE(existing.err.contains("already exists; give --force"))
        << existing.err.toStdString();
    EXPECT_EQ(run({"export", db, "--to", "dbf", "--out", "copy.txt"}).err,
              "corvane-tool: Must have a .DBF extension\n");
    EXPECT_EQ(run({"export", db, "--to", "dbf", "--out", "COPY.DBF"}).code, 0);
    EXPECT_EQ(dump(home.filePath("COPY.DBF")).size(), 3);
    EXPECT_EQ(run({"export", db, "--to", "paper", "--out", "x"}).code, 2);
    // A filter that admits no record copies nothing.
    vars[selection::Criterion::City] = "nowhere";
    ASSERT_TRUE(selection::SaveFilterTo(home.filePath("N.FLT"), vars));
    EXPECT_EQ(run({"export", db, "--filter", "N.FLT", "--to", "csv", "--out", "none.txt"}).err,
              "corvane-tool: No active records for current filter. Nothing to copy\n");
}

TEST_F(ExchangeTool, RefusesTextTheAddressFileCannotHoldAndImportsNothing) {
    const QString db = home.filePath("ADD0001.DBF");
    write("one.csv", ",Ann,,Ames\r\n");
    ASSERT_EQ(run({"import", "csv", "one.csv", "--into", db}).code, 0);
    write("pl.csv", ",Jan,,Nowak\r\n,Paweł,,Kowalski\r\n");
    const ToolRun refused = run({"import", "csv", "pl.csv", "--into", db});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("nothing was imported:\nline 2, First Name: code page 1252 "
                                     "cannot hold \"ł\" (U+0142)"))
        << refused.err.toStdString();
    EXPECT_EQ(dump(db).size(), 1);
    EXPECT_EQ(run({"db", "check", db}).code, 0);
}

TEST_F(ExchangeTool, MapsColumnsAndReadsOtherEncodingsTablesAndVCards) {
    const QString db = home.filePath("ADD0001.DBF");
    write("ansi.csv", "K\xF6ln,M\xFCller\r\n");
    const ToolRun mapped = run({"import", "csv", "ansi.csv", "--into", db, "--map",
                                "2=Last Name,Field 1=city", "--encoding", "cp1252"});
    EXPECT_EQ(mapped.code, 0) << mapped.err.toStdString();
    EXPECT_EQ(run({"import", "csv", "ansi.csv", "--into", db, "--map", "2=NOSUCH"}).code, 1);

    ASSERT_EQ(run({"db", "create", "OTHER.DBF", "--fields", "CITY C 20, EMAIL C 40, NOTES M"}).code,
              0);
    write("other.csv", "Oslo,a@b.no,a note\n");
    ASSERT_EQ(run({"db", "append-csv", "OTHER.DBF", "other.csv"}).code, 0);
    EXPECT_EQ(run({"import", "dbf", "OTHER.DBF", "--into", db}).code, 0);

    write("cards.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ito;Ken;;;\r\nFN:Ken Ito\r\n"
                       "TEL;TYPE=FAX:123\r\nCATEGORIES:A,B\r\nEND:VCARD\r\n");
    EXPECT_EQ(run({"import", "vcard", "cards.vcf", "--into", db}).code, 0);
    const QStringList records = dump(db);
    ASSERT_EQ(records.size(), 3);
    EXPECT_TRUE(records[0].startsWith("Müller,,,,,,,,Köln,")) << records[0].toStdString();
    EXPECT_TRUE(records[1].contains(",,,,,,,,Oslo,")) << records[1].toStdString();
    EXPECT_TRUE(records[1].contains("a@b.no") && records[1].endsWith(",a note"))
        << records[1].toStdString();
    EXPECT_TRUE(records[2].startsWith("Ito,Ken,")) << records[2].toStdString();
    EXPECT_TRUE(records[2].contains(",123,") && records[2].contains(",\"A,B\","))
        << records[2].toStdString();
    EXPECT_EQ(run({"db", "check", db}).code, 0);
    EXPECT_EQ(run({"import", "dbf", "MISSING.DBF", "--into", db}).err,
              "corvane-tool: Unable to open the file MISSING.DBF\n");
}

} // namespace
