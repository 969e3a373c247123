// Records exchanged between the host and a plug-in: the entry, setup and
// handshake records, callback signatures, and the content-editing records.
//
// Contract: every record that an operation takes together with a size is
// passed with sizeof(record); the host refuses a size it does not know with
// kErrBadRecordSize. Fields a caller does not set must be zero.
#pragma once

#include "sdk/ASTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- versions ---------------------------------------------------------- */
#define HANDSHAKE_VERSION_V0200 ((ASUns32)0x00020000)
#define CORE_HFT_VERSION_2 ((ASVersion)0x00020000)
#define HFT_VERSION_2_1 ((ASVersion)0x00020001)
#define HFT_VERSION_2_2 ((ASVersion)0x00020002)
#define HFT_VERSION_2_3 ((ASVersion)0x00020003)
#define HFT_VERSION_4_0 ((ASVersion)0x00040000)
#define HFT_VERSION_4_5 ((ASVersion)0x00040005)
#define HFT_VERSION_5_0 ((ASVersion)0x00050000)

/* ---- callbacks --------------------------------------------------------- */
/* Every procedure a plug-in hands to the host takes, first, a slot through
   which it reports an error raised inside it and not caught there (0 when it
   returned normally). sdk/ASCallbacks.h generates these from plain functions. */
typedef ASBool (*PIHandshakeProc)(ASErrorCode* raised, ASUns32 handshakeVersion, void* data);
typedef ASBool (*PILifecycleProc)(ASErrorCode* raised); /* export, import, init, unload */
typedef void (*AVExecuteProc)(ASErrorCode* raised, void* clientData);
typedef ASBool (*AVComputeEnabledProc)(ASErrorCode* raised, void* clientData);
typedef void (*ASGenericProc)(void);

/* The entry point every plug-in exports. Plain C: it must not raise. */
typedef ASBool (*PISetupProc)(ASUns32 handshakeVersion, void* setupData);
typedef ASBool (*PIMainProc)(ASUns32 appHandshakeVersion, ASUns32* handshakeVersion,
                             PISetupProc* setupProc, void* windowData);
#define PI_MAIN_SYMBOL "PlugInMain"

/* Two words of window data handed to PlugInMain. */
typedef struct _t_PIWindowData {
    void* mainWindow;
    void* moduleInstance;
} PIWindowData;

struct _t_CoreHFT;
typedef struct _t_PISetupData {
    ASUns32 handshakeVersion;
    ASExtension thisExtension;
    const struct _t_CoreHFT* coreHFT;
    ASCallback handshakeCallback; /* filled by the plug-in */
} PISetupData;

typedef struct _t_PIHandshakeData {
    ASUns32 handshakeVersion;
    ASAtom extensionName;                        /* filled by the plug-in */
    ASCallback exportHFTsCallback;               /* filled by the plug-in */
    ASCallback importReplaceAndRegisterCallback; /* filled by the plug-in */
    ASCallback initCallback;                     /* filled by the plug-in */
    ASCallback unloadCallback;                   /* filled by the plug-in */
} PIHandshakeData;

/* ---- exception frames -------------------------------------------------- */
typedef struct _t_ASExceptionFrame {
    ASErrorCode errorCode;
    struct _t_ASExceptionFrame* previous; /* the host's business */
} ASExceptionFrame;

/* ---- menus and toolbar ------------------------------------------------- */
#define APPEND_MENUITEM ((ASInt32)9999)
#define NO_SHORTCUT ((char)0)

/* A toolbar icon: the bytes of a Windows BMP file, which the host copies. */
typedef struct _t_AVIconData {
    ASUns32 size; /* sizeof(AVIconData) */
    const ASUns8* bmpBytes;
    ASUns32 bmpLength;
} AVIconData;

/* Alert icon kinds. */
enum { ALERT_ERROR = 0, ALERT_CAUTION = 1, ALERT_NOTE = 2, ALERT_QUESTION = 3 };

/* ---- files ------------------------------------------------------------- */
#define ASFILE_READ ((ASUns16)1)
#define ASFILE_WRITE ((ASUns16)2)

/* ---- documents --------------------------------------------------------- */
#define pdPermEdit ((ASInt32)0x08) /* may change the document */
#define pdPermAll ((ASInt32)0xFFFFFFFF)

/* ---- content elements -------------------------------------------------- */
#define kPDEAfterLast ((ASInt32)0x7FFFFFFE)
#define kPDEBeforeFirst ((ASInt32)-1)

enum {
    kPDEUnknown = 0,
    kPDEText = 1,
    kPDEPath = 2,
    kPDEImage = 3,
    kPDEForm = 4,
    kPDEPS = 5,
    kPDEXObject = 6,
    kPDEClip = 7,
    kPDEFont = 8,
    kPDEColorSpace = 9,
    kPDEExtGState = 10,
    kPDEPlace = 11,
    kPDEContainer = 12,
    kPDEGroup = 13,
    kPDEShading = 14,
    kPDEInlineImage = 15,
    kPDEContent = 16,
};

/* PDETextAdd flags */
#define kPDETextRun ((ASUns32)0x0001)
#define kPDETextChar ((ASUns32)0x0002)

/* PDFindSysFont match flags */
#define kPDSysFontMatchNameAndCharSet ((ASUns32)0x0001)
#define kPDSysFontMatchFontType ((ASUns32)0x0002)

/* PDEFontCreateFromSysFont flags */
#define kPDEFontCreateEmbedded ((ASUns32)0x0001)

/* PDEImageCreate data flags */
#define kPDEImageEncodedData ((ASUns32)0x0001)

/* PDEImageAttrs flags */
#define kPDEImageExternal ((ASUns32)0x0001)
#define kPDEImageIsMask ((ASUns32)0x0002)
#define kPDEImageInterpolate ((ASUns32)0x0004)

/* PDEGraphicState.wasSetFlags */
#define kPDEFillCSpaceWasSet ((ASUns32)0x0001)
#define kPDEFillCValueWasSet ((ASUns32)0x0002)
#define kPDEStrokeCSpaceWasSet ((ASUns32)0x0004)
#define kPDEStrokeCValueWasSet ((ASUns32)0x0008)
#define kPDELineWidthWasSet ((ASUns32)0x0020)
#define kPDEExtGStateWasSet ((ASUns32)0x0800)

typedef struct _t_PDEFontAttrs {
    ASAtom name;
    ASAtom type;
    ASAtom charSet;
    ASAtom encoding;
    ASUns32 flags;
    ASFixedRect fontBBox;
    ASInt16 missingWidth;
    ASInt16 stemV;
    ASInt16 stemH;
    ASInt16 capHeight;
    ASInt16 xHeight;
    ASInt16 ascent;
    ASInt16 descent;
    ASInt16 leading;
    ASInt16 maxWidth;
    ASInt16 avgWidth;
    ASInt16 italicAngle;
    ASInt16 reserved;
    ASAtom cantEmbed;
    ASAtom cannotSubset;
    ASInt32 obliqueAngle;
    ASInt32 padding[5];
} PDEFontAttrs;

typedef struct _t_PDEColorValue {
    ASFixed color[4];
    PDEObject colorObj;
    PDEObject colorObj2;
} PDEColorValue;

typedef struct _t_PDEColorSpec {
    PDEColorSpace space;
    PDEColorValue value;
} PDEColorSpec;

typedef struct _t_PDEDash {
    ASFixed dashPhase;
    ASInt32 dashLen;
    ASFixed dashes[11];
} PDEDash;

typedef struct _t_PDEGraphicState {
    PDEColorSpec fillColorSpec;
    PDEColorSpec strokeColorSpec;
    ASFixed lineWidth;
    ASFixed miterLimit;
    ASFixed flatness;
    ASInt32 lineCap;
    ASInt32 lineJoin;
    PDEDash dash;
    ASAtom renderIntent;
    PDEExtGState extGState;
    ASUns32 wasSetFlags;
} PDEGraphicState;

typedef struct _t_PDETextState {
    ASUns32 wasSetFlags;
    ASFixed charSpacing;
    ASFixed wordSpacing;
    ASInt32 renderMode;
    ASFixed fontSize;
    ASFixed hScale;
    ASFixed textRise;
} PDETextState;

typedef struct _t_PDEImageAttrs {
    ASUns32 flags;
    ASInt32 width;
    ASInt32 height;
    ASInt32 bitsPerComponent;
    ASFixed decode[8];
    ASAtom intent;
} PDEImageAttrs;

typedef struct _t_PDEFilterSpec {
    CosObj encodeParms;
    CosObj decodeParms;
    ASAtom name;
    ASInt32 padding;
} PDEFilterSpec;

typedef struct _t_PDEFilterArray {
    ASUns32 numFilters;
    PDEFilterSpec spec[1];
} PDEFilterArray;

#ifdef __cplusplus
}
#endif
