// The one command behind the "&Talvane" menu item and the toolbar button.
//
// Contract: runs synchronously on the host's user-interface thread and never
// raises to its caller's caller unexpectedly: host errors it does not handle
// itself propagate as raises to the execute procedure, which hands them to
// the host. With no document open it shows the host note alert
// "Please open a pdf first" and changes nothing.
#pragma once

void StampCommand();
