// Handing the document over: a new file each time, never over an existing one, then opened.
#include "frame/errors.h"
#include "app/word_handover.h"
#include "support/window_test.h"
#include "reports/word_docx_reader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kvelta {
namespace {

class HandoverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        documents = folder.filePath(QStringLiteral("Documents/Kvelta"));
        SetWordReportFolder(documents);
        SetDocumentOpener([this](const QUrl& url) {
            opened.append(url);
            return opens;
        });
        SetHandlerQuery([this](const QString& type) {
            EXPECT_EQ(type, kDocxMimeType);
            return handler;
        });
        grid.setLabel(0, 0, QStringLiteral("Формула"));
        view = {QStringLiteral("Вычисление дуги меридианов"), QStringLiteral("1"), QStringLiteral("2"),
                {{QStringLiteral("StringGrid1"), QString(), &grid}}, -1};
    }
    void TearDown() override
    {
        SetWordReportFolder(QString());
        SetDocumentOpener({});
        SetHandlerQuery({});
    }

    QTemporaryDir folder;
    QString documents;
    QList<QUrl> opened;
    bool opens = true;
    std::optional<bool> handler = true;
    ResultTable grid{2, 2};
    ReportView view;
};

QByteArray Read(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << test::Str(path);
    return file.readAll();
}

TEST_F(HandoverTest, EachPressSavesANewDocumentAndOpensIt)
{
    // a file of the first name is already there, and stays as it was
    ASSERT_TRUE(QDir().mkpath(documents));
    QFile existing(documents + QStringLiteral("/Вычисление дуги меридианов.docx"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();

    PrintWordDocument(view, ReportLayout::Common);
    PrintWordDocument(view, ReportLayout::Common);
    const QString second = documents + QStringLiteral("/Вычисление дуги меридианов (2).docx");
    const QString third = documents + QStringLiteral("/Вычисление дуги меридианов (3).docx");
    EXPECT_EQ(opened, (QList<QUrl>{QUrl::fromLocalFile(second), QUrl::fromLocalFile(third)}));
    EXPECT_EQ(Read(existing.fileName()), QByteArray("keep me"));
    for (const QString& path : {second, third}) {
        const auto entries = test::Unzip(Read(path));
        ASSERT_TRUE(entries.count(QStringLiteral("word/document.xml")));
        const test::DocxBody body = test::ParseDocumentXml(entries.at(QStringLiteral("word/document.xml")));
        ASSERT_EQ(body.blocks.size(), 5u);
        EXPECT_EQ(body.blocks[3].table.cellTexts(), (QStringList{"Формула", "", "", ""}));
    }
}

TEST_F(HandoverTest, NoApplicationNamesTheSavedFile)
{
    opens = false;
    try {
        PrintWordDocument(view, ReportLayout::Common);
        FAIL() << "no error";
    } catch (const KveltaError& error) {
        const QString path = QDir::toNativeSeparators(documents + QStringLiteral("/Вычисление дуги меридианов.docx"));
        EXPECT_TRUE(error.text().contains(QStringLiteral("No application")));
        EXPECT_TRUE(error.text().contains(path)) << test::Str(error.text());
        EXPECT_TRUE(QFile::exists(path));
    }
}

// The desktop's opener says yes as soon as it starts: the MIME database decides first. Where it
// cannot tell, the opener's answer counts. A failure names the saved file.
TEST_F(HandoverTest, NoRegisteredApplicationIsAnError)
{
    struct Case {
        std::optional<bool> handler;
        bool opens;
        bool openerAsked;
        bool fails;
    };
    for (const Case& c : {Case{true, true, true, false}, Case{false, true, false, true},
                          Case{std::nullopt, true, true, false}, Case{std::nullopt, false, true, true}}) {
        handler = c.handler;
        opens = c.opens;
        opened.clear();
        try {
            PrintWordDocument(view, ReportLayout::Common);
            EXPECT_FALSE(c.fails);
        } catch (const DocumentNotOpened& error) {
            EXPECT_TRUE(c.fails);
            EXPECT_TRUE(QFile::exists(error.path()));
            EXPECT_TRUE(error.text().contains(QDir::toNativeSeparators(error.path())));
        }
        EXPECT_EQ(opened.size(), c.openerAsked ? 1 : 0);
    }
}

TEST_F(HandoverTest, FolderOrFileThatCannotBeMade)
{
    // the folder's place is taken by a file
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SetWordReportFolder(blocker.fileName() + QStringLiteral("/Kvelta"));
    try {
        PrintWordDocument(view, ReportLayout::Common);
        FAIL() << "no error";
    } catch (const KveltaError& error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("Cannot create folder"))) << test::Str(error.text());
    }
    // a folder nobody may write in, not even the administrator
    try {
        SaveNewDocument(QStringLiteral("/proc"), QStringLiteral("x"), QByteArray("data"));
        FAIL() << "no error";
    } catch (const KveltaError& error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("Cannot create file \"/proc/x.docx\"")))
            << test::Str(error.text());
    }
    EXPECT_TRUE(opened.isEmpty());
}

// A link of the first name, even one pointing nowhere, is not written through.
TEST_F(HandoverTest, DanglingLinkIsNotFollowed)
{
    ASSERT_TRUE(QDir().mkpath(documents));
    const QString target = folder.filePath(QStringLiteral("elsewhere.docx"));
    ASSERT_TRUE(QFile::link(target, documents + QStringLiteral("/x.docx")));
    const QString path = SaveNewDocument(documents, QStringLiteral("x"), QByteArray("data"));
    EXPECT_EQ(path, documents + QStringLiteral("/x (2).docx"));
    EXPECT_FALSE(QFile::exists(target));
}

TEST(WordHandover, FileNamesFromCaptions)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("Вычисление дуги меридианов"), QStringLiteral("Вычисление дуги меридианов")},
        {QStringLiteral("a/b\\c:d*e?f\"g<h>i|j"), QStringLiteral("a_b_c_d_e_f_g_h_i_j")},
        {QStringLiteral("tab\there\x01"), QStringLiteral("tab_here_")},
        {QStringLiteral(" .. "), QStringLiteral("Документ")},
        {QString(), QStringLiteral("Документ")},
        {QStringLiteral("..hidden. "), QStringLiteral("hidden")},
        {QString(300, QLatin1Char('x')), QString(100, QLatin1Char('x'))},
    };
    for (const auto& [caption, name] : cases)
        EXPECT_EQ(test::Str(DocumentBaseName(caption)), test::Str(name)) << test::Str(caption);
}

}  // namespace
}  // namespace kvelta
