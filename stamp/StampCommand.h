// The stamp command behind the "&Talvane" menu item and the toolbar button.
//
// Contract: one call is one complete, synchronous run on the host's
// user-interface thread: the main dialog, the document and permission
// checks, the picture prepared and written as a JPEG, one image element
// placed on every selected page (or, in undo mode, the last stamp taken off
// them), and one final message. Every host object the run acquires is
// released on every path out, and every exception frame it pushes is popped.
// Nothing is reported to the caller; a raise never leaves the command except
// from the host calls of the first steps that have no frame of their own.
#pragma once

void StampCommand();
