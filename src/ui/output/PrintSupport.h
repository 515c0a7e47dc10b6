#pragma once
// Printing from the timetable panels: the print preview with the system's printers (A4, across
// when the document says so) and the PDF export through a save dialog. Both paint the core's
// printed pages through the same canvas as the screen.
#include "ui/widgets/Prompter.h"
#include <QIcon>
#include <QString>
#include <string>

class QWidget;

namespace tabrel {
class PrintDocument;
}

namespace tabrel::ui {

// Opens the print preview of the document; the user prints from there.
void showPrintPreview(QWidget* parent, const PrintDocument& document);
// Asks for a file name and writes the document as PDF; returns the status text ("" when cancelled),
// and shows a message when the file could not be written.
QString exportPdf(QWidget* parent, const PrintDocument& document);

// The export icon of the tool strips.
QIcon exportIcon();

// The teal tool-strip colour of the output panels, as a style sheet.
QString stripStyleSheet();

} // namespace tabrel::ui
