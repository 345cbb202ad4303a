#include "web/web_request.h"

#include "frame/edit_names.h"
#include "frame/numbers.h"

#include <QStringDecoder>
#include <QUrl>
#include <algorithm>

namespace kvelta::web {

namespace {

QString Utf8(const std::string& bytes, const char* what)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError())
        throw BadRequest(std::string(what) + " is not UTF-8 text");
    return text;
}

const EditField* EditOfParameter(const Exercise& exercise, const QString& name)
{
    if (const EditField* edit = exercise.edit(name))
        return edit;
    for (const EditField& edit : exercise.edits)
        if (FieldName(edit) == name)
            return &edit;
    return nullptr;
}

QChar ReadSeparator(const QString& value)
{
    if (value != QLatin1String(",") && value != QLatin1String("."))
        throw BadRequest("sep takes \",\" or \".\"");
    return value.front();
}

int ReadPage(const Exercise& exercise, const QString& value)
{
    bool ok = false;
    const int page = value.toInt(&ok);
    if (!ok || page < 1 || !exercise.hasPages() || page > static_cast<int>(exercise.tables.size()))
        throw BadRequest("page takes a page number of this window, from 1");
    return page - 1;
}

Action ReadAction(const QString& value)
{
    if (value == QLatin1String("compute"))
        return Action::Compute;
    if (value == QLatin1String("example"))
        return Action::Example;
    throw BadRequest("do takes compute or example");
}

ReportEncoding ReadEncoding(const QString& value)
{
    if (value == QLatin1String("windows-1251"))
        return ReportEncoding::Windows1251;
    if (value == QLatin1String("utf-8"))
        return ReportEncoding::Utf8;
    throw BadRequest("enc takes windows-1251 or utf-8");
}

// Applies one parameter that is not an edit; false when the name is none of them.
bool ReadOption(const Exercise& exercise, const QString& name, const QString& value, ExerciseRequest& request)
{
    if (name == QLatin1String("sep"))
        request.separator = ReadSeparator(value);
    else if (name == QLatin1String("page"))
        request.activePage = ReadPage(exercise, value);
    else if (name == QLatin1String("do"))
        request.action = ReadAction(value);
    else if (name == QLatin1String("enc"))
        request.encoding = ReadEncoding(value);
    else
        return false;
    return true;
}

}  // namespace

QString FieldName(const EditField& edit)
{
    const QString shortName = EditShortName(edit);
    return shortName.isEmpty() ? edit.name : shortName;
}

ExerciseRequest ReadExerciseRequest(const Exercise& exercise, const QueryParameters& query)
{
    if (query.size() > kMaxParameters)
        throw BadRequest("too many parameters");
    ExerciseRequest request;
    request.exercise = &exercise;
    std::vector<QString> seen;
    std::vector<std::pair<const EditField*, QString>> edits;
    for (const auto& [nameBytes, valueBytes] : query) {
        if (valueBytes.size() > kMaxValueBytes)
            throw BadRequest("a value is longer than " + std::to_string(kMaxValueBytes) + " bytes");
        const QString name = Utf8(nameBytes, "a parameter name");
        const QString value = Utf8(valueBytes, "a parameter value");
        const EditField* edit = EditOfParameter(exercise, name);
        const QString key = edit ? edit->name : name;
        if (std::find(seen.begin(), seen.end(), key) != seen.end())
            throw BadRequest(key.toStdString() + " is given more than once");
        seen.push_back(key);
        if (edit)
            edits.emplace_back(edit, value);
        else if (!ReadOption(exercise, name, value, request))
            throw BadRequest("unknown parameter " + name.left(40).toStdString());
    }
    for (const EditField& edit : exercise.edits)
        for (const auto& [typedEdit, text] : edits)
            if (typedEdit == &edit)
                request.typed.emplace_back(edit.name, text);
    return request;
}

QString QueryOf(const ExerciseRequest& request, const QString& extra)
{
    QString query;
    auto add = [&query](const QString& name, const QString& value) {
        if (!query.isEmpty())
            query += QLatin1Char('&');
        query += QString::fromLatin1(QUrl::toPercentEncoding(name)) + QLatin1Char('=')
                 + QString::fromLatin1(QUrl::toPercentEncoding(value));
    };
    for (const auto& [name, text] : request.typed)
        add(FieldName(*request.exercise->edit(name)), text);
    add(QStringLiteral("sep"), request.separator);
    if (request.exercise->hasPages())
        add(QStringLiteral("page"), QString::number(request.activePage + 1));
    if (!extra.isEmpty())
        query += QLatin1Char('&') + extra;
    return query;
}

TypedTexts WithExample(const ExerciseRequest& request)
{
    ThreadDecimalSeparator separator(request.separator);
    TypedTexts typed;
    for (const auto& [name, text] : request.typed)
        if (name == QLatin1String("Edit1") || name == QLatin1String("Edit2"))
            typed.emplace_back(name, text);
    const TypedTexts example = request.exercise->shownExample();
    typed.insert(typed.end(), example.begin(), example.end());
    return typed;
}

}  // namespace kvelta::web
