// The document engine's slots in the host tables.
//
// Contract: each Install function overwrites, in a stubbed HostTableSet, the
// slots this layer implements; InstallPdfTables installs them all:
//   AcroSupport: ASFixedMatrixConcat and the file system, files and streams
//     (ASGetErrorString belongs to the core);
//   Cos, PDModel, PDFEditRead, PDFEditWrite, PDSysFont, PagePDEContent: all.
// Every entry checks its handles and arguments and raises a host error code
// with a text for ASGetErrorString instead of crashing.
#pragma once

#include "pdfhost/core/HostTableSet.h"

namespace pdfhost::pdf {

void InstallFileOps(HostTableSet& set);
void InstallCosTable(HostTableSet& set);
void InstallPDModelTable(HostTableSet& set);
void InstallPDFEditTables(HostTableSet& set);
void InstallPDSysFontTable(HostTableSet& set);
void InstallPagePDEContentTable(HostTableSet& set);

void InstallPdfTables(HostTableSet& set);

} // namespace pdfhost::pdf
