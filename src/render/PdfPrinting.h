#pragma once
// Paints a PrintDocument onto paper: each page's drawing scaled to fit the printable area of an
// A4 sheet (kept in proportion, centred across, from the top), through the same QtCanvas the
// screen uses. Texts stay texts, so a PDF can be searched and its fonts are embedded.
#include <QPagedPaintDevice>
#include <QPainter>
#include <filesystem>
#include <string>

#include "output/PrintDocument.h"

namespace tabrel {

// Paints every page of `document` (pages first … last, 0-based, -1 = to the end) with `painter`,
// which is active on `device`; a new page is started between two pages.
void paintPrintDocument(const PrintDocument& document, QPainter& painter, QPagedPaintDevice& device, int first = 0,
                        int last = -1);

// Writes the document as an A4 PDF file (landscape when the document says so). False with a
// readable message (UTF-8) when the file could not be written.
bool writePdf(const PrintDocument& document, const std::filesystem::path& file, std::string& error);

} // namespace tabrel
