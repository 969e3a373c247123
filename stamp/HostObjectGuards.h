// Scoped ownership of host objects inside one stamp run.
//
// Contract: each guard releases what it holds when it goes out of scope,
// including while a raise unwinds through it, so an early end of a run never
// leaves pages, contents or elements acquired in the host. releaseNow()
// gives the object back to the host at once (in the order the host expects)
// and leaves the guard empty; it is not unique_ptr's release, which lets go
// without freeing. Release errors are swallowed either way: during unwinding
// the error that is unwinding is the one that matters, and a run that has
// finished with an object has nothing left to do about it.
#pragma once

#include "sdk/HostCalls.h"

// Runs a host release call and swallows the raise it may end with.
template <typename F> void ReleaseQuietly(F&& call) noexcept {
    try {
        call();
    } catch (...) {
    }
}

class PageGuard {
  public:
    PageGuard(PDDoc doc, ASInt32 index) : page_(PDDocAcquirePage(doc, index)) {}
    ~PageGuard() { releaseNow(); }
    PageGuard(const PageGuard&) = delete;
    PageGuard& operator=(const PageGuard&) = delete;
    PDPage get() const { return page_; }
    void releaseNow() {
        if (PDPage p = page_) {
            page_ = nullptr;
            ReleaseQuietly([p] { PDPageRelease(p); });
        }
    }

  private:
    PDPage page_;
};

class ContentGuard {
  public:
    explicit ContentGuard(PDPage page)
        : page_(page), content_(PDPageAcquirePDEContent(page, gPITables.extensionID)) {}
    ~ContentGuard() { releaseNow(); }
    ContentGuard(const ContentGuard&) = delete;
    ContentGuard& operator=(const ContentGuard&) = delete;
    PDEContent get() const { return content_; }
    void releaseNow() {
        if (content_) {
            content_ = nullptr;
            ReleaseQuietly([this] { PDPageReleasePDEContent(page_, gPITables.extensionID); });
        }
    }

  private:
    PDPage page_;
    PDEContent content_;
};

class ElementGuard {
  public:
    explicit ElementGuard(PDEObject obj = nullptr) : obj_(obj) {}
    ~ElementGuard() { releaseNow(); }
    ElementGuard(const ElementGuard&) = delete;
    ElementGuard& operator=(const ElementGuard&) = delete;
    PDEObject get() const { return obj_; }
    void reset(PDEObject obj) {
        releaseNow();
        obj_ = obj;
    }
    void releaseNow() {
        if (PDEObject o = obj_) {
            obj_ = nullptr;
            ReleaseQuietly([o] { PDERelease(o); });
        }
    }

  private:
    PDEObject obj_;
};
