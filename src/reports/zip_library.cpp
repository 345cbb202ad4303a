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
    Resolve(library, zip.file_add, "zip_file_add");
    Resolve(library, zip.file_set_dostime, "zip_file_set_dostime");
    Resolve(library, zip.get_error, "zip_get_error");
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
    return zip;
}

}  // namespace

const ZipLibrary& Zip()
{
    static const ZipLibrary zip = Load();  // a failed load is tried again at the next call
    return zip;
}

}  // namespace kvelta
