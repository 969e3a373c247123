// Names for host-made objects in pages' resources.
//
// Contract: NameFor(page, "/XObject", "PHIm", object) returns the name (with
// its slash) under which the page's effective resources - its own
// /Resources, else the nearest ancestor's - hold the indirect object in that
// category. When the object is not there yet it is added under a fresh name
// that collides with nothing in that category. Inherited and shared
// resources are used as they are, so a dictionary shared by many pages gets
// the object once, under one name, not one new name per page. A page with no
// resources anywhere gets a dictionary of its own. Every dictionary of the
// file it changes is marked in the changes given at construction.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include <qpdf/QPDFObjectHandle.hh>

#include "pdfhost/pdf/IncrementalChanges.h"

namespace pdfhost::pdf {

class ResourceNamer {
  public:
    explicit ResourceNamer(IncrementalChanges& changes) : changes_(changes) {}

    std::string NameFor(QPDFObjectHandle page, const std::string& category,
                        const std::string& prefix, QPDFObjectHandle object);

    // The page's effective resource dictionary and the object that holds it
    // (the dictionary itself when indirect); made on the page when absent.
    std::pair<QPDFObjectHandle, QPDFObjGen> EffectiveResources(QPDFObjectHandle page);

  private:
    IncrementalChanges& changes_;
    std::map<std::tuple<QPDFObjGen, std::string, QPDFObjGen>, std::string> known_;
    std::map<std::pair<QPDFObjGen, std::string>, long long> next_;
};

} // namespace pdfhost::pdf
