// Scoped ownership of host objects inside one stamp run.
//
// Contract: each guard releases what it holds when it goes out of scope,
// including while a raise unwinds through it, so an early end of a run never
// leaves pages, contents or elements acquired in the host. Release errors
// during unwinding are swallowed: the error that is unwinding is the one that
// matters. Call release() to release early, in the order the host expects.
#pragma once

#include "sdk/HostCalls.h"

class PageGuard {
  public:
    PageGuard(PDDoc doc, ASInt32 index) : page_(PDDocAcquirePage(doc, index)) {}
    ~PageGuard() { release(); }
    PageGuard(const PageGuard&) = delete;
    PageGuard& operator=(const PageGuard&) = delete;
    PDPage get() const { return page_; }
    void release() {
        if (PDPage p = page_) {
            page_ = nullptr;
            try {
                PDPageRelease(p);
            } catch (...) {
            }
        }
    }

  private:
    PDPage page_;
};

class ContentGuard {
  public:
    explicit ContentGuard(PDPage page)
        : page_(page), content_(PDPageAcquirePDEContent(page, gPITables.extensionID)) {}
    ~ContentGuard() { release(); }
    ContentGuard(const ContentGuard&) = delete;
    ContentGuard& operator=(const ContentGuard&) = delete;
    PDEContent get() const { return content_; }
    void release() {
        if (content_) {
            content_ = nullptr;
            try {
                PDPageReleasePDEContent(page_, gPITables.extensionID);
            } catch (...) {
            }
        }
    }

  private:
    PDPage page_;
    PDEContent content_;
};

class ElementGuard {
  public:
    explicit ElementGuard(PDEObject obj = nullptr) : obj_(obj) {}
    ~ElementGuard() { release(); }
    ElementGuard(const ElementGuard&) = delete;
    ElementGuard& operator=(const ElementGuard&) = delete;
    PDEObject get() const { return obj_; }
    void reset(PDEObject obj) {
        release();
        obj_ = obj;
    }
    void release() {
        if (PDEObject o = obj_) {
            obj_ = nullptr;
            try {
                PDERelease(o);
            } catch (...) {
            }
        }
    }

  private:
    PDEObject obj_;
};
