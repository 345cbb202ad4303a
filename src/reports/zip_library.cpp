#include "reports/zip_library.h"

#include "frame/errors.h"

#include <QLibrary>

namespace kvelta {

namespace {

template <class Function>
void Resolve(QLibrary& library, Function& function, const char* name)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    if (!function)
        throw KveltaError(QStringLiteral("The document could not be packed: %1").arg(library.errorString()));
}

ZipLibrary Load()
{
    static QLibrary library(QStringLiteral(KVELTA_LIBZIP_SONAME));
    if (!library.load())
        throw KveltaError(QStringLiteral("The document could not be packed: %1").arg(library.errorString()));
    ZipLibrary zip{};
    Resolve(library, zip.close, "zip_close");
    Resolve(library, zip.discard, "zip_discard");
    Resolve(library, zip.error_code_system, "zip_error_code_system");
    Resolve(library, zip.error_code_zip, "zip_error_code_zip");
    Resolve(library, zip.error_fini, "zip_error_fini");
    Resolve(library, zip.error_init, "zip_error_init");
    Resolve(library, zip.error_set, "zip_error_set");
    Resolve(library, zip.error_strerror, "zip_error_strerror");
    Resolve(library, zip.fclose, "zip_fclose");
    Resolve(library, zip.fopen_index, "zip_fopen_index");
    Resolve(library, zip.fread, "zip_fread");
    Resolve(library, zip.file_add, "zip_file_add");
    Resolve(library, zip.file_set_dostime, "zip_file_set_dostime");
    Resolve(library, zip.get_error, "zip_get_error");
    Resolve(library, zip.get_num_entries, "zip_get_num_entries");
    Resolve(library, zip.name_locate, "zip_name_locate");
    Resolve(library, zip.open_from_source, "zip_open_from_source");
    Resolve(library, zip.source_buffer, "zip_source_buffer");
    Resolve(library, zip.source_buffer_create, "zip_source_buffer_create");
    Resolve(library, zip.source_close, "zip_source_close");
    Resolve(library, zip.source_error, "zip_source_error");
    Resolve(library, zip.source_free, "zip_source_free");
    Resolve(library, zip.source_keep, "zip_source_keep");
    Resolve(library, zip.source_open, "zip_source_open");
    Resolve(library, zip.source_read, "zip_source_read");
    Resolve(library, zip.source_stat, "zip_source_stat");
    Resolve(library, zip.stat_index, "zip_stat_index");
    return zip;
}

[[noreturn]] void ZipFailure(zip_error_t* error)
{
    const ZipLibrary& zip = Zip();
    const QString reason = QString::fromLocal8Bit(zip.error_strerror(error));
    zip.error_fini(error);
    throw KveltaError(QStringLiteral("The document could not be packed: %1").arg(reason));
}

// Adds the parts to an open archive; false (the archive's error set) on a failure.
bool AddParts(const ZipLibrary& zip, zip_t* archive, std::span<const std::pair<const char*, QByteArray>> parts)
{
    for (const auto& [name, bytes] : parts) {
        // the archive reads the parts when it is closed; `parts` outlives that
        zip_source_t* source = zip.source_buffer(archive, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
        if (!source)
            return false;
        const zip_int64_t index = zip.file_add(archive, name, source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip.source_free(source);
            return false;
        }
        // The first date the container can hold.
        constexpr zip_uint16_t kFirstDosDate = (0 << 9) | (1 << 5) | 1;
        if (zip.file_set_dostime(archive, static_cast<zip_uint64_t>(index), 0, kFirstDosDate, 0) < 0)
            return false;
    }
    return true;
}

}  // namespace

const ZipLibrary& Zip()
{
    static const ZipLibrary zip = Load();  // a failed load is tried again at the next call
    return zip;
}

QByteArray PackZip(std::span<const std::pair<const char*, QByteArray>> parts)
{
    const ZipLibrary& zip = Zip();
    zip_error_t error;
    zip.error_init(&error);
    zip_source_t* buffer = zip.source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        ZipFailure(&error);
    zip_t* archive = zip.open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip.source_free(buffer);
        ZipFailure(&error);
    }
    zip.source_keep(buffer);  // the packed bytes are read from it after the archive is closed
    if (!AddParts(zip, archive, parts) || zip.close(archive) < 0) {
        zip_error_t* cause = zip.get_error(archive);
        zip.error_set(&error, zip.error_code_zip(cause), zip.error_code_system(cause));
        zip.discard(archive);
        zip.source_free(buffer);
        ZipFailure(&error);
    }
    QByteArray packed;
    zip_stat_t stat;
    if (zip.source_stat(buffer, &stat) < 0 || zip.source_open(buffer) < 0) {
        zip.error_set(&error, zip.error_code_zip(zip.source_error(buffer)), zip.error_code_system(zip.source_error(buffer)));
        zip.source_free(buffer);
        ZipFailure(&error);
    }
    packed.resize(static_cast<qsizetype>(stat.size));
    const zip_int64_t read = zip.source_read(buffer, packed.data(), stat.size);
    zip.source_close(buffer);
    zip.source_free(buffer);
    if (read != static_cast<zip_int64_t>(stat.size))
        throw KveltaError(QStringLiteral("The document could not be packed"));
    return packed;
}

}  // namespace kvelta
