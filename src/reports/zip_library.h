#pragma once
// libzip, loaded the first time a document is packed. A program that never writes a document does
// not pay for loading it, nor the cryptography library it brings along (a third of the start of
// kvelta-solve).

#include <QByteArray>
#include <span>
#include <utility>
#include <zip.h>

namespace kvelta {

// The functions of libzip that the document writers and the workbook reader use.
struct ZipLibrary {
    decltype(&::zip_close) close;
    decltype(&::zip_discard) discard;
    decltype(&::zip_error_code_system) error_code_system;
    decltype(&::zip_error_code_zip) error_code_zip;
    decltype(&::zip_error_fini) error_fini;
    decltype(&::zip_error_init) error_init;
    decltype(&::zip_error_set) error_set;
    decltype(&::zip_error_strerror) error_strerror;
    decltype(&::zip_fclose) fclose;
    decltype(&::zip_fopen_index) fopen_index;
    decltype(&::zip_fread) fread;
    decltype(&::zip_file_add) file_add;
    decltype(&::zip_file_set_dostime) file_set_dostime;
    decltype(&::zip_get_error) get_error;
    decltype(&::zip_get_num_entries) get_num_entries;
    decltype(&::zip_name_locate) name_locate;
    decltype(&::zip_open_from_source) open_from_source;
    decltype(&::zip_source_buffer) source_buffer;
    decltype(&::zip_source_buffer_create) source_buffer_create;
    decltype(&::zip_source_close) source_close;
    decltype(&::zip_source_error) source_error;
    decltype(&::zip_source_free) source_free;
    decltype(&::zip_source_keep) source_keep;
    decltype(&::zip_source_open) source_open;
    decltype(&::zip_source_read) source_read;
    decltype(&::zip_source_stat) source_stat;
    decltype(&::zip_stat_index) stat_index;
};

// Loads libzip on first use; raises KveltaError when it cannot be loaded.
const ZipLibrary& Zip();

// The parts (name, bytes) packed in one zip container, in that order, each dated 1 January 1980 so
// that the same parts make the same bytes. Raises KveltaError when the container cannot be made.
QByteArray PackZip(std::span<const std::pair<const char*, QByteArray>> parts);

}  // namespace kvelta
