// The objects of the file a session has changed, for an incremental save.
//
// Contract: every place in the engine that changes an object read from the
// file calls Mark() with that object, or with the indirect object that
// holds it when the changed value is a direct one inside it. A direct
// object passed alone marks nothing (it belongs to no file object). Objects
// made in this session need no mark: the incremental writer finds the new
// ones it needs from the changed ones. An object left unmarked keeps its
// bytes from the original file in an incremental save, so a change path
// that forgets to mark loses its change there (a full rewrite keeps it).
#pragma once

#include <set>

#include <qpdf/QPDFObjectHandle.hh>

namespace pdfhost::pdf {

class IncrementalChanges {
  public:
    void Mark(QPDFObjectHandle owner) {
        if (owner.isIndirect())
            changed_.insert(owner.getObjGen());
    }
    void Mark(QPDFObjGen owner) {
        if (owner.getObj() > 0)
            changed_.insert(owner);
    }
    const std::set<QPDFObjGen>& Changed() const { return changed_; }

  private:
    std::set<QPDFObjGen> changed_;
};

} // namespace pdfhost::pdf
