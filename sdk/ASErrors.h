// Error codes raised by the host.
//
// A code packs a severity (bits 28-31), a subsystem (bits 16-23) and a number
// (bits 0-15). The host gives every code a text through ASGetErrorString; codes
// it does not know map to a generic text, never to an empty string.
#pragma once

#include "sdk/ASTypes.h"

#define AS_MAKE_ERROR(severity, system, number)                                                    \
    ((ASErrorCode)(((ASUns32)(severity) << 28) | ((ASUns32)(system) << 16) | (ASUns32)(number)))

enum {
    kErrSevError = 4,
};

enum {
    kErrSysGeneral = 0x01,
    kErrSysFile = 0x0A,
    kErrSysPD = 0x0B,
    kErrSysPDE = 0x0C,
    kErrSysAV = 0x0D,
    kErrSysFont = 0x0E,
};

enum : ASErrorCode {
    kErrNone = 0,
    /* general */
    kErrUnknown = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x01),
    kErrNoMemory = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x02),
    kErrBadParameter = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x03),
    kErrNotImplemented = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x04),
    kErrBadHandle = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x05),
    kErrBadRecordSize = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x06),
    kErrUnbalancedFrames = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x07),
    kErrCallbackFailed = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x08),
    kErrNoTable = AS_MAKE_ERROR(kErrSevError, kErrSysGeneral, 0x09),
    /* files; 0x11 is also what a plug-in raises when it cannot make a path */
    kErrFileOpenFailed = AS_MAKE_ERROR(kErrSevError, kErrSysFile, 0x11),
    kErrFileRead = AS_MAKE_ERROR(kErrSevError, kErrSysFile, 0x12),
    kErrFileWrite = AS_MAKE_ERROR(kErrSevError, kErrSysFile, 0x13),
    kErrFileNotFound = AS_MAKE_ERROR(kErrSevError, kErrSysFile, 0x14),
    kErrBadPathType = AS_MAKE_ERROR(kErrSevError, kErrSysFile, 0x15),
    /* documents and pages */
    kErrBadPageIndex = AS_MAKE_ERROR(kErrSevError, kErrSysPD, 0x01),
    kErrDocOpenFailed = AS_MAKE_ERROR(kErrSevError, kErrSysPD, 0x02),
    kErrDocNeedsPassword = AS_MAKE_ERROR(kErrSevError, kErrSysPD, 0x03),
    kErrDocSaveFailed = AS_MAKE_ERROR(kErrSevError, kErrSysPD, 0x04),
    kErrDocDamaged = AS_MAKE_ERROR(kErrSevError, kErrSysPD, 0x05),
    kErrNoDocument = AS_MAKE_ERROR(kErrSevError, kErrSysPD, 0x06),
    /* content elements */
    kErrBadElemIndex = AS_MAKE_ERROR(kErrSevError, kErrSysPDE, 0x01),
    kErrEmptyContent = AS_MAKE_ERROR(kErrSevError, kErrSysPDE, 0x02),
    kErrWrongObjectKind = AS_MAKE_ERROR(kErrSevError, kErrSysPDE, 0x03),
    kErrContentNotAcquired = AS_MAKE_ERROR(kErrSevError, kErrSysPDE, 0x04),
    kErrBadImageData = AS_MAKE_ERROR(kErrSevError, kErrSysPDE, 0x05),
    kErrBadColorSpace = AS_MAKE_ERROR(kErrSevError, kErrSysPDE, 0x06),
    /* fonts */
    kErrNoSysFont = AS_MAKE_ERROR(kErrSevError, kErrSysFont, 0x01),
    /* viewer */
    kErrNoSuchMenu = AS_MAKE_ERROR(kErrSevError, kErrSysAV, 0x01),
    kErrToolbarFailed = AS_MAKE_ERROR(kErrSevError, kErrSysAV, 0x02),
};
