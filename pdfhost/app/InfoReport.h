// The output of `pdfhost info`: what the plug-ins did to the host.
//
// Contract: one record a line, stable order (plug-ins in load order, tables
// in the order obtained, menus and items in menu-bar order, buttons in
// toolbar order), texts in double quotes escaped like transcript lines:
//     plug-in "<file>" name "<ext>" version <M.m> entry <s> setup <s> handshake <s> export <s>
//     import <s> init <s>
//       table "<name>" <M.m>
//     menu "<name>" title "<title>"
//       item "<name>" title "<title>" help "<text>" enabled|disabled
//     toolbar
//       button "<name>" help "<text>" enabled[ icon <W>x<H> <B>-bit]
// <s> is ok, failed or not-run. "enabled" is the item's enable procedure's
// answer at the time of the report.
#pragma once

#include <ostream>

#include "pdfhost/core/PluginLoader.h"

namespace pdfhost::app {

class InfoReport {
  public:
    static void Write(std::ostream& out, const PluginLoader& loader);
};

} // namespace pdfhost::app
