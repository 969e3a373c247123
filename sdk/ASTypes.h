// Value types and opaque handles of the plug-in interface.
//
// Contract: everything here is plain C data so that the host and plug-ins can be
// built by different compilers and still agree. Handles are opaque pointers that
// only the host dereferences; the host validates every handle it is given and
// raises an error for an unknown or released one instead of touching memory.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int8_t ASInt8;
typedef uint8_t ASUns8;
typedef int16_t ASInt16;
typedef uint16_t ASUns16;
typedef int32_t ASInt32;
typedef uint32_t ASUns32;
typedef ASUns16 ASBool;      /* 0 false, anything else true */
typedef ASUns16 ASAtom;      /* host atoms are 16-bit in this interface version */
typedef ASInt32 ASFixed;     /* signed 16.16 fixed point, 65536 = 1.0 */
typedef ASInt32 ASErrorCode; /* 0 = no error */
typedef ASUns32 ASVersion;   /* major in the high 16 bits, minor in the low 16 */

#define ASAtomNull ((ASAtom)0xFFFF)

typedef struct _t_ASFixedMatrix {
    ASFixed a, b, c, d, h, v;
} ASFixedMatrix;

typedef struct _t_ASFixedRect {
    ASFixed left, top, right, bottom;
} ASFixedRect;

/* Opaque handles: pointer-sized tokens, not addresses. A plug-in keeps,
   compares and passes them back, never looks behind them; the host refuses a
   released one for good, even once a new object has taken its place. */
typedef struct _t_ASExtension* ASExtension;
typedef struct _t_ASCallback* ASCallback;
typedef struct _t_ASFileSys* ASFileSys;
typedef struct _t_ASPathName* ASPathName;
typedef struct _t_ASFile* ASFile;
typedef struct _t_ASStm* ASStm;
typedef struct _t_CosDoc* CosDoc;
typedef struct _t_CosObj* CosObj;
typedef struct _t_PDDoc* PDDoc;
typedef struct _t_PDPage* PDPage;
typedef struct _t_PDSysFont* PDSysFont;
typedef struct _t_AVDoc* AVDoc;
typedef struct _t_AVMenubar* AVMenubar;
typedef struct _t_AVMenu* AVMenu;
typedef struct _t_AVMenuItem* AVMenuItem;
typedef struct _t_AVToolBar* AVToolBar;
typedef struct _t_AVToolButton* AVToolButton;
typedef struct _t_AVIcon* AVIcon;

/* Content objects share one handle type: PDERelease and PDEObjectGetType accept
   any of them, and the host checks the kind an operation needs. */
typedef struct _t_PDEObject* PDEObject;
typedef PDEObject PDEContent;
typedef PDEObject PDEElement;
typedef PDEObject PDEText;
typedef PDEObject PDEImage;
typedef PDEObject PDEFont;
typedef PDEObject PDEColorSpace;
typedef PDEObject PDEExtGState;

#ifdef __cplusplus
}

/* Integer <-> fixed conversions. The shift is done on the unsigned
   representation so that values outside -32768..32767 wrap exactly like a
   32-bit shift would, without undefined behaviour. */
inline constexpr ASFixed ASInt32ToFixed(ASInt32 i) {
    return static_cast<ASFixed>(static_cast<ASUns32>(i) << 16);
}
inline constexpr ASInt32 ASFixedToInt32(ASFixed f) {
    return f >> 16;
}
inline constexpr ASFixed kASFixedOne = 65536;
#endif
