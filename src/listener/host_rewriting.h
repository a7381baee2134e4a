// Finding and rewriting the host entry of listener.ora and tnsnames.ora,
// and the text replacements that derive the configuration paths.
//
// All are pure functions of their arguments and return a new text.
#pragma once

#include <cstdint>

#include "runtime/text.h"

// The markers around the host entry; blanks belong to them.
constexpr const char* kListenerHostStart = "(PROTOCOL = TCP)(HOST = ";
constexpr const char* kNamesHostStart = "(ADDRESS = (PROTOCOL = TCP)(HOST = ";
constexpr const char* kHostEnd = ")(PORT = ";

// The longest host entry taken for a host: a full DNS name.
constexpr std::int32_t kLongestHostName = 255;

// The bytes after the first `startMarker` up to the next `endMarker`, or the
// empty text when either is missing. Markers are matched byte for byte; in
// a marker, "#引号" stands for a double quote.
Text TextBetween(TextView text, TextView startMarker, TextView endMarker);

// Replaces, pair after pair, every occurrence of each sought text by its
// replacement, ignoring ASCII letter case; each pair works on the result of
// the one before. An empty sought text (an unused slot) changes nothing.
Text ReplacePairs(TextView text, TextView sought1, TextView replacement1, TextView sought2 = TextView(),
                  TextView replacement2 = TextView(), TextView sought3 = TextView(),
                  TextView replacement3 = TextView(), TextView sought4 = TextView(),
                  TextView replacement4 = TextView(), TextView sought5 = TextView(),
                  TextView replacement5 = TextView());

// True for a host entry that looks like a host (1 to kLongestHostName bytes,
// no blanks, control bytes, parentheses or "=") and that names this computer
// in a way that changes with its name: localhost, 127.0.0.1, ::1 and the
// wildcard 0.0.0.0 are right whatever the computer is called.
bool IsReplaceableHost(TextView hostEntry);

// Replaces `oldHost`, ignoring ASCII letter case, wherever it stands as a
// whole name: not where a letter, digit, "-", "_" or a byte of 0x80 and
// above comes right before or after it (a dot ends a name, so the host part
// of DBSRV.corp.example is replaced). Matches start only at character starts.
Text ReplaceHostName(TextView text, TextView oldHost, TextView newHost);

// The text with its host entry (between `startMarker` and kHostEnd)
// replaced by `newHost` as a whole name wherever it stands; the text
// unchanged when it has no replaceable host entry or `newHost` is empty.
Text RewriteHost(TextView text, TextView startMarker, TextView newHost);
