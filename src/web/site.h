#pragma once
// What kvelta-web answers to a request, apart from the HTTP connection: the routes, the pages, the
// reports. Each request is computed on its own, with its own decimal separator; nothing is kept.

#include "render/pdf_module.h"
#include "catalogue/solution.h"
#include "web/web_request.h"

#include <QByteArray>
#include <string>

namespace kvelta::web {

struct Reply {
    int status = 200;
    QByteArray contentType = "text/html; charset=utf-8";
    QByteArray body;
    QByteArray location;  // of a redirect
    QByteArray fileName;  // of a download: "gk-forward.docx"
    bool cacheable = false;  // the program's own resources, the same for every request
};

// `pdfWriter`: draws PDF files; nullptr when the PDF module could not be loaded (PDFs answer 503).
Reply Answer(const std::string& method, const std::string& path, const QueryParameters& query,
             PdfWriterFunction pdfWriter);

// The edit whose text stopped the computation of `solution` from converting; empty when none did.
QString FailedEdit(const Solution& solution);

}  // namespace kvelta::web
