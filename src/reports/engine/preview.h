#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace report {

class Document;

// Prints every page of the document on a printer, full page, as the document lays it out.
void printDocument(const Document& document, QPrinter* printer);

// Asks for a file name ("Export PDF") and writes the document there. False when the
// operator cancels or the file cannot be written (the operator is told why).
bool exportPdf(const Document& document, QWidget* parent);

// Shows the print preview of the document: zoom, pages, Print, and "Export PDF…" beside
// Print (object name "ExportPdfAction"). Runs through kit::runModeless (the other windows
// stay usable) and returns when the preview is closed, with its result.
int showPreview(const Document& document, QWidget* parent = nullptr,
                const QString& title = QString());

} // namespace report
