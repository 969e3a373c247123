#include "pdfhost/core/CoreTable.h"

#include <cstring>

#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/Callbacks.h"
#include "pdfhost/core/ExceptionFrames.h"
#include "pdfhost/core/Extension.h"
#include "pdfhost/core/HostEntry.h"

namespace pdfhost {
namespace {

const TableRegistry*& registry() {
    static const TableRegistry* r = nullptr;
    return r;
}

void PushFrame(ASExceptionFrame* frame) {
    ExceptionFrames::Push(frame);
}
void PopFrame() {
    ExceptionFrames::Pop();
}
ASErrorCode CurrentCode() {
    return ExceptionFrames::CurrentCode();
}
void RaiseCode(ASErrorCode code) {
    ExceptionFrames::Raise(code);
}

ASAtom AtomFromString(const char* name) {
    if (!name)
        Raise(kErrBadParameter, "ASAtomFromString was given a null string.");
    return Atoms::FromString(name);
}

const char* AtomGetString(ASAtom atom) {
    return Atoms::Name(atom).c_str();
}

ASCallback CallbackCreate(ASExtension extension, ASGenericProc proc) {
    return Callbacks::Create(extension, proc);
}

void CallbackDestroy(ASCallback callback) {
    Callbacks::Destroy(callback);
}

const void* GetHFT(ASAtom name, ASVersion version) {
    const std::string& tableName = Atoms::Name(name);
    const void* table = registry() ? registry()->Lookup(tableName, version) : nullptr;
    if (table) {
        if (Extension* extension = ExtensionContext::Current())
            extension->tables.push_back(ObtainedTable{tableName, version});
    }
    return table;
}

char* GetErrorString(ASErrorCode code, char* buffer, ASInt32 bufSize) {
    if (!buffer || bufSize < 1)
        Raise(kErrBadParameter, "ASGetErrorString needs a buffer of at least one byte.");
    const std::string text = ErrorTexts::For(code);
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(bufSize) - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return buffer;
}

} // namespace

void CoreTable::Install(HostTableSet& set, const TableRegistry& r) {
    registry() = &r;
    CoreHFT& c = set.core;
    c.size = sizeof(c);
    c.ASPushExceptionFrame = HOST_ENTRY(ASPushExceptionFrame, PushFrame);
    c.ASPopExceptionFrame = HOST_ENTRY(ASPopExceptionFrame, PopFrame);
    c.ASGetExceptionErrorCode = HOST_ENTRY(ASGetExceptionErrorCode, CurrentCode);
    c.ASRaise = HOST_ENTRY(ASRaise, RaiseCode);
    c.ASAtomFromString = HOST_ENTRY(ASAtomFromString, AtomFromString);
    c.ASAtomGetString = HOST_ENTRY(ASAtomGetString, AtomGetString);
    c.ASCallbackCreate = HOST_ENTRY(ASCallbackCreate, CallbackCreate);
    c.ASCallbackDestroy = HOST_ENTRY(ASCallbackDestroy, CallbackDestroy);
    c.ASExtensionMgrGetHFT = HOST_ENTRY(ASExtensionMgrGetHFT, GetHFT);
    set.acroSupport.ASGetErrorString = HOST_ENTRY(ASGetErrorString, GetErrorString);
}

} // namespace pdfhost
