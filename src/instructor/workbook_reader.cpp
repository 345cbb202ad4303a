#include "instructor/workbook_reader.h"

#include "reports/zip_library.h"
#include "instructor/spreadsheet.h"
#include "instructor/table_files.h"
#include "instructor/workbook_parts.h"

#include <cmath>

namespace kvelta {
namespace workbook {

void Refuse(const QString& why)
{
    throw SpreadsheetError(why);
}

namespace {

bool IsZip(const QByteArray& bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

// Bytes that no CSV file holds: refused with what the file seems to be instead.
void RefuseIfNotText(const QByteArray& bytes)
{
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        Refuse(QStringLiteral("the file is an old binary Office document (.xls); save it as .xlsx, .ods or CSV"));
    if (bytes.startsWith("%PDF"))
        Refuse(QStringLiteral("the file is a PDF document, not a table"));
    // Text with a UTF-16 or UTF-32 byte order mark is the delimited reader's to read or refuse, and
    // so is a zero byte (it names the line); other control characters may be in names a class list
    // holds, and are kept out of the files written.
}

QString ZipReason(const ZipLibrary& zip, zip_error_t* error)
{
    const QString reason = QString::fromLocal8Bit(zip.error_strerror(error));
    zip.error_fini(error);
    return reason;
}

}  // namespace

ZipArchive::ZipArchive(const QByteArray& bytes, qint64 partLimit) : zip_(Zip()), partLimit_(partLimit)
{
    zip_error_t error;
    zip_.error_init(&error);
    zip_source_t* source = zip_.source_buffer_create(bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &error);
    if (!source)
        Refuse(QStringLiteral("the zip container cannot be read: %1").arg(ZipReason(zip_, &error)));
    archive_ = zip_.open_from_source(source, ZIP_RDONLY, &error);
    if (!archive_) {
        zip_.source_free(source);
        Refuse(QStringLiteral("the file begins as a zip container but is damaged: %1").arg(ZipReason(zip_, &error)));
    }
}

ZipArchive::~ZipArchive()
{
    zip_.discard(archive_);
}

bool ZipArchive::has(const QString& name) const
{
    return zip_.name_locate(archive_, name.toUtf8().constData(), 0) >= 0;
}

QByteArray ZipArchive::part(const QString& name) const
{
    const zip_int64_t index = zip_.name_locate(archive_, name.toUtf8().constData(), 0);
    if (index < 0)
        Refuse(QStringLiteral("the workbook has no part %1").arg(name));
    const QString tooLarge = QStringLiteral("the workbook's part %1 unpacks to more than %2 MiB; not read")
                                 .arg(name)
                                 .arg(partLimit_ >> 20);
    zip_stat_t stat;
    if (zip_.stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)
        && stat.size > static_cast<zip_uint64_t>(partLimit_))
        Refuse(tooLarge);
    zip_file_t* file = zip_.fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (!file)
        Refuse(QStringLiteral("the workbook's part %1 cannot be unpacked").arg(name));
    // Read in pieces up to the limit whatever the size the container states, which may lie.
    QByteArray data;
    char chunk[65536];
    zip_int64_t read = 0;
    while ((read = zip_.fread(file, chunk, sizeof chunk)) > 0) {
        if (data.size() + read > partLimit_) {
            zip_.fclose(file);
            Refuse(tooLarge);
        }
        data.append(chunk, static_cast<qsizetype>(read));
    }
    zip_.fclose(file);
    if (read < 0)
        Refuse(QStringLiteral("the workbook's part %1 is damaged").arg(name));
    return data;
}

void CheckWellFormed(const QXmlStreamReader& xml, const QString& part)
{
    if (xml.hasError())
        Refuse(QStringLiteral("the workbook's part %1 is not well-formed XML: %2").arg(part, xml.errorString()));
}

void RowCollector::cell(qsizetype column, const QString& text, qsizetype repeat)
{
    if (text.isEmpty())
        return;  // empty cells take room only before a filled one
    if (column + repeat > limits_.columns)
        Refuse(QStringLiteral("the sheet has more than %1 columns; not read").arg(limits_.columns));
    while (row_.size() < column)
        row_.append(QString());
    // A cell Kvelta guarded against evaluation reads back as it was, as from delimited text.
    const QString written = CellAsWritten(text);
    for (qsizetype i = 0; i < repeat; ++i) {
        if (row_.size() > column + i)
            row_[column + i] = written;
        else
            row_.append(written);
    }
}

void RowCollector::endRow(qsizetype repeat)
{
    if (!row_.isEmpty()) {
        if (static_cast<qsizetype>(rows_.size()) + repeat > limits_.rows)
            Refuse(QStringLiteral("the sheet has more than %1 filled rows; not read").arg(limits_.rows));
        for (qsizetype i = 0; i < repeat; ++i)
            rows_.push_back(row_);
    }
    row_.clear();
}

QString ShownNumber(double value, int shownDecimals)
{
    QString text = WorkbookNumber(value);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    const qsizetype decimals = point < 0 ? 0 : text.size() - point - 1;
    if (shownDecimals <= decimals || shownDecimals > 15 || !std::isfinite(value))
        return text;
    if (point < 0)
        text += QLatin1Char('.');
    return text + QString(shownDecimals - decimals, QLatin1Char('0'));
}

}  // namespace workbook

std::optional<std::vector<QStringList>> ReadWorkbook(const QByteArray& bytes, const QString& sheet,
                                                     const WorkbookLimits& limits)
{
    using namespace workbook;
    if (!IsZip(bytes)) {
        RefuseIfNotText(bytes);
        return std::nullopt;
    }
    const ZipArchive archive(bytes, limits.partBytes);
    if (archive.has(QStringLiteral("mimetype")) || archive.has(QStringLiteral("content.xml")))
        return ReadOdsRows(archive, sheet, limits);
    if (archive.has(QStringLiteral("[Content_Types].xml")))
        return ReadXlsxRows(archive, sheet, limits);
    Refuse(QStringLiteral("the file is a zip archive, not an .xlsx or .ods workbook"));
}

QString WorkbookNumber(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // A spreadsheet keeps 15 significant digits of what was typed: 0.1 + 0.2 is shown 0.3, not
    // the binary value's 0.30000000000000004.
    QString text = QString::number(value, 'g', 15);
    if (!text.contains(QLatin1Char('e')))
        return text;
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return WithoutTrailingZeros(QString::number(value, 'f', std::max(0, 14 - exponent)), QLatin1Char('.'));
}

}  // namespace kvelta
