// The site without sockets: routes, refusals, the worked example, the marked edit, escaping.
#include "catalogue/catalogue.h"
#include "frame/numbers.h"
#include "web/pages.h"
#include "web/site.h"

#include <gtest/gtest.h>

namespace kvelta::web {
namespace {

Reply Get(const std::string& path, const QueryParameters& query = {}, const std::string& method = "GET")
{
    InitResources();
    return Answer(method, path, query, nullptr);
}

std::string Body(const Reply& reply) { return reply.body.toStdString(); }

TEST(Site, AnswersEveryRouteWithItsStatus)
{
    struct Case {
        std::string method, path;
        QueryParameters query;
        int status;
        const char* contains;  // in the body; empty: anything
    };
    const std::string bad = "\xC3\x28";  // not UTF-8
    const Case cases[] = {
        {"GET", "/", {}, 200, "Вычисление прямоугольных координат Гаусса-Крюгера по геодезическим"},
        {"HEAD", "/", {}, 200, "Kvelta"},
        {"GET", "/help", {}, 200, "href=\"/gk-forward/help\""},
        {"GET", "/gk-forward/help", {}, 200, "Исходные данные"},
        {"GET", "/static/style.css", {}, 200, "table.grid"},
        {"GET", "/static/../../etc/passwd", {}, 404, ""},
        {"GET", "/static/", {}, 404, ""},
        {"GET", "/../etc/passwd", {}, 404, ""},
        {"GET", "", {}, 400, ""},
        {"OPTIONS", "*", {}, 405, ""},
        {"GET", "*", {}, 400, ""},
        {"GET", "/no-such-exercise", {}, 404, "Такого задания нет"},
        {"GET", "/gk-forward/nothing", {}, 404, ""},
        {"POST", "/gk-forward", {}, 405, ""},
        {"DELETE", "/", {}, 405, ""},
        {"GET", "/gk-inverse", {}, 200, "name=\"L0.deg\" value=\"21\""},
        {"GET", "/gk-forward", {{"B.sec", "1"}, {"Edit8", "2"}}, 400, "more than once"},
        {"GET", "/gk-forward", {{"Edit99", "1"}}, 400, "unknown parameter Edit99"},
        {"GET", "/gk-forward", {{"Edit3", "1"}, {"Edit3", "2"}}, 400, "more than once"},
        {"GET", "/gk-forward", {{"Edit3", bad}}, 400, "not UTF-8"},
        {"GET", "/gk-forward", {{bad, "1"}}, 400, "not UTF-8"},
        {"GET", "/gk-forward", {{"sep", ";"}}, 400, "sep takes"},
        {"GET", "/gk-forward", {{"page", "1"}}, 400, "page takes"},
        {"GET", "/legendre", {{"page", "2"}}, 200, "<option value=\"2\" selected>"},
        {"GET", "/legendre", {{"page", "9"}}, 400, "page takes"},
        {"GET", "/gk-forward", {{"do", "delete"}}, 400, "do takes"},
        {"GET", "/gk-forward/report.txt", {{"enc", "koi8-r"}}, 400, "enc takes"},
        {"GET", "/gk-forward/report.pdf", {}, 503, ""},
        {"GET", "/gk-forward", {{"Edit3", std::string(5000, '1')}}, 400, "longer than"},
        {"GET", "/gk-forward", {{"do", "example"}}, 303, ""},
        {"GET", "/gk-forward/rigorous", {{"do", "compute"}}, 200, "Строгое решение"},
        {"GET", "/gk-forward/rigorous", {{"Edit3", "abc"}}, 200, "id=\"error\">'abc' is not a valid floating point value."},
    };
    for (const Case& c : cases) {
        const Reply reply = Get(c.path, c.query, c.method);
        EXPECT_EQ(reply.status, c.status) << c.method << ' ' << c.path;
        EXPECT_NE(Body(reply).find(c.contains), std::string::npos) << c.path << " lacks " << c.contains;
    }
    QueryParameters many;
    for (int i = 0; i < 100000; ++i)
        many.emplace_back("p" + std::to_string(i), "1");
    EXPECT_EQ(Get("/gk-forward", many).status, 400);
}

TEST(Site, TypesTheWorkedExampleKeepingTheStudent)
{
    for (const char* separator : {",", "."}) {
        const Reply reply = Get("/gk-forward", {{"Edit1", "ГД-21"}, {"Edit8", "7"}, {"sep", separator}, {"do", "example"}});
        ASSERT_EQ(reply.status, 303);
        const std::string location = reply.location.toStdString();
        const std::string seconds = std::string("B.sec=44") + (separator[0] == ',' ? "%2C" : ".") + "0822";
        EXPECT_EQ(location.rfind("/gk-forward?", 0), 0u) << location;
        EXPECT_NE(location.find("group=%D0%93%D0%94-21"), std::string::npos) << location;
        EXPECT_NE(location.find(seconds), std::string::npos) << location;
        EXPECT_EQ(location.find("do="), std::string::npos) << location;
    }
}

TEST(Site, MarksTheEditWhoseTextDoesNotConvert)
{
    struct Case {
        const char* separator;
        const char* edit;
        const char* text;
        const char* error;  // empty: the computation completes
    };
    const Case cases[] = {
        {",", "Edit8", "15.5", "'15.5' is not a valid floating point value."},
        {".", "Edit8", "15,5", "'15,5' is not a valid floating point value."},
        {",", "Edit3", "2.5", "'2.5' is not a valid floating point value."},
        {",", "Edit11", "abc", "'abc' is not a valid floating point value."},
        {",", "Edit8", "15,5", ""},
    };
    for (const Case& c : cases) {
        const Reply reply =
            Get("/gk-forward", {{c.edit, c.text}, {"sep", c.separator}, {"do", "compute"}});
        ASSERT_EQ(reply.status, 200);
        const std::string body = Body(reply);
        const std::string failed = std::string("id=\"f-") + c.edit + "\" name=\"";
        const std::size_t input = body.find(failed);
        ASSERT_NE(input, std::string::npos) << c.edit;
        const bool marked = body.substr(input, body.find('>', input) - input).find("failed") != std::string::npos;
        if (*c.error) {
            EXPECT_NE(body.find(std::string("id=\"error\">") + c.error), std::string::npos) << c.text;
            EXPECT_TRUE(marked) << c.edit << ' ' << c.text;
        } else {
            EXPECT_EQ(body.find("id=\"error\""), std::string::npos) << c.text;
            EXPECT_FALSE(marked);
        }
    }
}

TEST(Site, ShowsAHostileNameAsTextInThePageAndTheReports)
{
    const std::string hostile = "<script>alert(\"x\")</script>&amp;";
    const QueryParameters query{{"Edit1", hostile}, {"Edit2", hostile}, {"do", "compute"}};
    const std::string page = Body(Get("/gk-forward", query));
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("value=\"&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;&amp;amp;\""), std::string::npos);
    const Reply text = Get("/gk-forward/report.txt", {{"Edit1", hostile}, {"enc", "utf-8"}});
    EXPECT_EQ(text.contentType, "text/plain; charset=utf-8");
    EXPECT_NE(Body(text).find(hostile), std::string::npos);
    const Reply docx = Get("/gk-forward/report.docx", {{"Edit2", hostile}});
    EXPECT_EQ(docx.status, 200);
    EXPECT_EQ(docx.fileName, "gk-forward.docx");
    EXPECT_TRUE(docx.body.startsWith("PK"));
}

TEST(Site, ComputesEachRequestInItsOwnSeparatorLeavingTheProgramsAlone)
{
    SetDecimalSeparator(QLatin1Char(','));
    const Reply example = Get("/gk-forward", {{"sep", "."}, {"do", "example"}});
    const std::string location = example.location.toStdString();
    EXPECT_NE(location.find("B.sec=44.0822"), std::string::npos);
    const std::string computed = Body(Get("/gk-forward", {{"Edit3", "21"}, {"Edit6", "51"}, {"Edit7", "38"},
                                                         {"Edit8", "44.0822"}, {"Edit9", "24"}, {"Edit10", "2"},
                                                         {"Edit11", "13.1579"}, {"sep", "."}, {"do", "compute"}}));
    EXPECT_EQ(computed.find("id=\"error\""), std::string::npos);
    EXPECT_NE(computed.find("<td>5728374.727"), std::string::npos);
    EXPECT_EQ(DecimalSeparator(), QLatin1Char(','));
}

}  // namespace
}  // namespace kvelta::web
