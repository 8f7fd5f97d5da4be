#pragma once

#include "submit/formwalk/pagesnapshot.h"

#include <QString>

// What the words of a page say about its controls: which button sends a
// form that has no submit control, which text input asks for the characters
// of a picture, which field or frame belongs to a challenge widget. Letter
// case never counts.
namespace FormHints {

// A caption with a word such as "Submit", "Send" or "Upload" in it.
bool readsAsSending(const QString &caption);
// A button the page may send its form with: a <button> (not a reset), or an
// input of type button, submit or image.
bool isButton(const SnapshotElement &e);
// What a button reads as: its caption, or its value.
QString caption(const SnapshotElement &e);
// An empty text input whose name, id, label, placeholder or the picture
// beside it asks for a picture code.
bool asksForPictureCode(const SnapshotElement &e);
// The response field of a common challenge widget ("g-recaptcha-response", ...).
bool isChallengeResponse(const SnapshotElement &e);
// A frame of another site that holds a challenge widget.
bool isChallengeFrame(const QString &src);

} // namespace FormHints
