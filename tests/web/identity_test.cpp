// kvelta-web against kvelta-solve: for every exercise, both separators, the worked example, generated
// variants and hostile texts, the page's cells and error, the text reports and the .docx bytes are
// kvelta-solve's, with 8 requests in flight at once.
#include "catalogue/catalogue.h"
#include "frame/numbers.h"
#include "web/web_server.h"

#include <httplib.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <thread>

namespace kvelta {
namespace {

struct Case {
    const Exercise* exercise;
    QChar separator;
    TypedTexts typed;
};

struct Expected {
    QJsonObject tables;
    QByteArray report;  // Windows-1251, as «Сохранить как...» writes it
    QByteArray reportUtf8;
    QByteArray docx;
};

const char* const kHostile[] = {
    "15.5", "15,5", "", "abc", "1e5000", "-0", "  7 ", "0x10", "١٢", "9999999999999", "1,2,3", "∞", "+", "1e-5000",
    "<b>1</b>", "12345678901234567890123456789012345678901234567890", "--5", "5e", "NaN", "\t3",
};
const char* const kNames[] = {"ГД-21", "<script>alert(1)</script>", "Иванов И. И.", "a&b \"c\" 'd'", ""};

// The numbers of a text written with a comma, in `separator`.
TypedTexts InSeparator(const Exercise& exercise, TypedTexts typed, QChar separator)
{
    for (auto& [name, text] : typed)
        if (const EditField* edit = exercise.edit(name); edit && edit->kind == EditKind::Real)
            text.replace(QLatin1Char(','), separator);
    return typed;
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    QRandomGenerator random(2026);
    int hostile = 0;
    for (const Exercise* exercise : Catalogue())
        for (QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
            cases.push_back({exercise, separator, InSeparator(*exercise, exercise->example, separator)});
            for (int i = 0; exercise->makeVariant && i < 6; ++i) {
                TypedTexts typed = exercise->makeVariant(random);
                typed.emplace_back(QStringLiteral("Edit1"), QString::fromUtf8(kNames[i % 5]));
                cases.push_back({exercise, separator, InSeparator(*exercise, typed, separator)});
            }
            std::vector<const EditField*> numbers;
            for (const EditField& edit : exercise->edits)
                if (edit.kind == EditKind::Real || edit.kind == EditKind::Integer)
                    numbers.push_back(&edit);
            for (int i = 0; i < 8; ++i, ++hostile) {
                TypedTexts typed = InSeparator(*exercise, exercise->example, separator);
                const QString text = QString::fromUtf8(kHostile[hostile % std::size(kHostile)]);
                typed.emplace_back(numbers[static_cast<std::size_t>(hostile) % numbers.size()]->name, text);
                typed.emplace_back(QStringLiteral("Edit2"), QString::fromUtf8(kNames[hostile % 5]));
                // A later text of the same edit wins, as on the command line after the example.
                TypedTexts unique;
                for (auto it = typed.rbegin(); it != typed.rend(); ++it)
                    if (std::none_of(unique.begin(), unique.end(), [&](const auto& t) { return t.first == it->first; }))
                        unique.push_back(*it);
                cases.push_back({exercise, separator, unique});
            }
        }
    return cases;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing " + path.toUtf8());
}

Expected Solve(const Case& c, const QTemporaryDir& dir, int index)
{
    const QString base = dir.filePath(QString::number(index));
    QStringList arguments{c.exercise->name, QStringLiteral("--decimal-separator"), c.separator,
                          QStringLiteral("--tables-json"), base + QStringLiteral(".json"), QStringLiteral("--report"),
                          base + QStringLiteral(".txt"), QStringLiteral("--docx"), base + QStringLiteral(".docx")};
    for (const auto& [name, text] : c.typed)
        arguments << name + QLatin1Char('=') + text;
    QProcess solve;
    solve.start(QStringLiteral(KVELTA_SOLVE), arguments);
    solve.waitForFinished(60000);
    QProcess utf8;
    utf8.start(QStringLiteral(KVELTA_SOLVE), arguments.mid(0, 3) + arguments.mid(9)
                                                  << QStringLiteral("--report") << QStringLiteral("-") << QStringLiteral("--utf8"));
    utf8.waitForFinished(60000);
    return {QJsonDocument::fromJson(ReadAll(base + QStringLiteral(".json"))).object(), ReadAll(base + QStringLiteral(".txt")),
            utf8.readAllStandardOutput(), ReadAll(base + QStringLiteral(".docx"))};
}

std::string Query(const Case& c, const char* extra)
{
    QByteArray query;
    for (const auto& [name, text] : c.typed)
        query += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(text) + '&';
    return (query + "sep=" + QUrl::toPercentEncoding(c.separator) + extra).toStdString();
}

QString Unescape(QString html)
{
    return html.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
}

// Checks the page's tables cell for cell against kvelta-solve's, and the error.
void CheckPage(const QString& page, const QJsonObject& expected, const std::string& where)
{
    static const QRegularExpression error(QStringLiteral("id=\"error\">([^<]*)</p>"));
    const QRegularExpressionMatch errorMatch = error.match(page);
    EXPECT_EQ(Unescape(errorMatch.captured(1)).toStdString(), expected[QStringLiteral("error")].toString().toStdString())
        << where;
    static const QRegularExpression table(QStringLiteral("<table class=\"grid\" data-name=\"([^\"]*)\" data-cols=\"([^\"]*)\">(.*?)</table>"));
    static const QRegularExpression row(QStringLiteral("<tr data-r=\"(\\d+)\">(.*?)</tr>"));
    static const QRegularExpression cell(QStringLiteral("<t[hd]>(.*?)</t[hd]>"));
    const QJsonArray tables = expected[QStringLiteral("tables")].toArray();
    int index = 0, shownCells = 0;
    for (auto t = table.globalMatch(page); t.hasNext(); ++index) {
        const QRegularExpressionMatch tm = t.next();
        ASSERT_LT(index, tables.size()) << where;
        const QJsonObject want = tables[index].toObject();
        EXPECT_EQ(tm.captured(1), want[QStringLiteral("name")].toString()) << where;
        const QStringList columns = tm.captured(2).split(QLatin1Char(','));
        const QJsonArray rows = want[QStringLiteral("cells")].toArray();
        for (auto r = row.globalMatch(tm.captured(3)); r.hasNext();) {
            const QRegularExpressionMatch rm = r.next();
            const QJsonArray wantRow = rows[rm.captured(1).toInt()].toArray();
            int column = 0;
            for (auto c = cell.globalMatch(rm.captured(2)); c.hasNext(); ++column, ++shownCells) {
                const int at = columns.value(column).toInt();
                EXPECT_EQ(Unescape(c.next().captured(1)).toStdString(), wantRow[at].toString().toStdString())
                    << where << " table " << index << " row " << rm.captured(1).toStdString() << " column " << at;
            }
        }
    }
    EXPECT_EQ(index, tables.size()) << where;
    EXPECT_GT(shownCells, 0) << where;
}

void CheckCase(httplib::Client& client, const Case& c, const Expected& expected, int index)
{
    const std::string where = c.exercise->name.toStdString() + " case " + std::to_string(index) + " ?" + Query(c, "");
    const std::string path = '/' + c.exercise->name.toStdString();
    const auto page = client.Get(path + '?' + Query(c, "&do=compute"));
    ASSERT_TRUE(page) << where;
    EXPECT_EQ(page->status, 200) << where;
    CheckPage(QString::fromUtf8(page->body), expected.tables, where);
    const auto report = client.Get(path + "/report.txt?" + Query(c, "&enc=windows-1251"));
    ASSERT_TRUE(report) << where;
    EXPECT_TRUE(QByteArray::fromStdString(report->body) == expected.report) << where;
    const auto utf8 = client.Get(path + "/report.txt?" + Query(c, "&enc=utf-8"));
    ASSERT_TRUE(utf8) << where;
    EXPECT_TRUE(QByteArray::fromStdString(utf8->body) == expected.reportUtf8) << where;
    const auto docx = client.Get(path + "/report.docx?" + Query(c, ""));
    ASSERT_TRUE(docx) << where;
    EXPECT_TRUE(QByteArray::fromStdString(docx->body) == expected.docx) << where << " docx";
    if (index % 16 == 0) {  // PDFs drawn in parallel too
        const auto pdf = client.Get(path + "/report.pdf?" + Query(c, ""));
        ASSERT_TRUE(pdf) << where;
        EXPECT_EQ(pdf->body.rfind("%PDF-", 0), 0u) << where;
    }
}

TEST(WebIdentity, PagesAndReportsEqualKveltaSolveWithEightRequestsInFlight)
{
    const std::vector<Case> cases = Cases();
    ASSERT_GT(cases.size(), 300u);
    QTemporaryDir dir;
    std::vector<Expected> expected(cases.size());
    std::atomic<std::size_t> solved{0};
    std::vector<std::thread> solvers;
    for (int t = 0; t < 4; ++t)
        solvers.emplace_back([&] {
            for (std::size_t i = solved++; i < cases.size(); i = solved++)
                expected[i] = Solve(cases[i], dir, static_cast<int>(i));
        });
    for (std::thread& solver : solvers)
        solver.join();
    test::WebServer server;
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> clients;
    for (int t = 0; t < 8; ++t)
        clients.emplace_back([&] {
            httplib::Client client("127.0.0.1", server.port());
            client.set_read_timeout(120, 0);
            for (std::size_t i = next++; i < cases.size(); i = next++)
                CheckCase(client, cases[i], expected[i], static_cast<int>(i));
        });
    for (std::thread& client : clients)
        client.join();
    EXPECT_TRUE(server.running());
}

}  // namespace
}  // namespace kvelta
