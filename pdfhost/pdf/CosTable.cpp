// Cos: types, dictionary entries and names of a document's objects.
#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/HostEntry.h"
#include "pdfhost/pdf/CosPool.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/PdfTables.h"

namespace pdfhost::pdf {
namespace {

std::string Key(ASAtom atom) {
    const std::string& name = Atoms::Name(atom);
    if (name.empty())
        Raise(kErrBadParameter, "A dictionary key cannot be empty.");
    return name[0] == '/' ? name : "/" + name;
}

CosObject& Dictionary(CosObj dict) {
    CosObject* o = CosPool::Find(dict);
    if (!o || !o->obj.isDictionary())
        Raise(kErrBadParameter, "A Cos dictionary is needed.");
    return *o;
}

ASInt32 ObjGetType(CosObj obj) {
    QPDFObjectHandle o = CosPool::Get(obj);
    switch (o.getTypeCode()) {
    case ::ot_integer:
        return CosInteger;
    case ::ot_real:
        return CosFixed;
    case ::ot_boolean:
        return CosBoolean;
    case ::ot_name:
        return CosName;
    case ::ot_string:
        return CosString;
    case ::ot_dictionary:
        return CosDict;
    case ::ot_array:
        return CosArray;
    case ::ot_stream:
        return CosStream;
    default:
        return CosNull;
    }
}

CosObj DictGet(CosObj dict, ASAtom key) {
    CosObject& d = Dictionary(dict);
    QPDFObjectHandle value = d.obj.getKey(Key(key));
    return value.isNull() ? nullptr : d.pool->Wrap(value, d.owner);
}

// A value from another pool must be a plain direct value: indirect objects
// cannot be shared between documents.
QPDFObjectHandle ValueFor(const CosObject& dict, CosObj value) {
    CosObject* v = CosPool::Find(value);
    if (!v)
        return QPDFObjectHandle::newNull();
    if (v->pool != dict.pool &&
        (v->obj.isIndirect() || v->obj.isArray() || v->obj.isDictionary() || v->obj.isStream()))
        Raise(kErrBadParameter,
              "A Cos object of one document cannot be put into another document.");
    return v->obj;
}

void DictPut(CosObj dict, ASAtom key, CosObj value) {
    CosObject& d = Dictionary(dict);
    const std::string k = Key(key);
    QPDFObjectHandle v = ValueFor(d, value);
    if (d.mirrored && d.pool->Mirror()) {
        d.pool->Mirror()->Put(k, v);
        return;
    }
    if (v.isNull())
        d.obj.removeKey(k);
    else
        d.obj.replaceKey(k, v.isIndirect() ? v : v.shallowCopy());
    d.pool->NoteChanged(d);
}

CosObj NewName(CosDoc doc, ASBool indirect, ASAtom name) {
    Document& d = Document::FromCosHandle(doc);
    QPDFObjectHandle n = QPDFObjectHandle::newName(Key(name));
    if (indirect)
        n = d.Pdf().makeIndirectObject(n);
    return d.Cos().Wrap(n);
}

ASAtom NameValue(CosObj obj) {
    QPDFObjectHandle o = CosPool::Get(obj);
    if (!o.isName())
        Raise(kErrBadParameter, "CosNameValue needs a Cos name.");
    return Atoms::FromString(o.getName().substr(1));
}

} // namespace

void InstallCosTable(HostTableSet& set) {
    CosHFT& t = set.cos;
    t.CosObjGetType = HOST_ENTRY(CosObjGetType, ObjGetType);
    t.CosDictGet = HOST_ENTRY(CosDictGet, DictGet);
    t.CosDictPut = HOST_ENTRY(CosDictPut, DictPut);
    t.CosNewName = HOST_ENTRY(CosNewName, NewName);
    t.CosNameValue = HOST_ENTRY(CosNameValue, NameValue);
}

} // namespace pdfhost::pdf
