// The installer controller: the handlers of the start window's events. The
// install button runs the whole installation; the other handlers open the
// agreement window, drag, minimise and close the start window. Nothing is
// kept between events: the state lives in the start window's units and in
// what was written to disk and registry.
#pragma once

#include "frame/event_record.h"

// The start window's created event: nothing to do.
void OnStartWindowCreated(EventRecord& event);

// A press on the agreement link: opens the agreement window, or brings the
// open one to the front.
void OnAgreementLinkPressed(EventRecord& event);

// A press on the title label: Windows' own move loop drags the start window
// until the button is released.
void OnTitlePressed(EventRecord& event);

// The install button: the agreement gate, the check of the blocks that the
// program carries, the payload, the progress view, the registration, the
// final message and the end of the program.
void OnInstallClicked(EventRecord& event);

// The minimise button.
void OnMinimiseClicked(EventRecord& event);

// The close button: the start window goes once this handler has returned;
// the program ends when no window is left.
void OnCloseClicked(EventRecord& event);
