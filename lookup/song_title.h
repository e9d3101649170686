// The song title lookup: from a song number to "artist - song name", made safe for a file name,
// from the song service's page for that song.
#pragma once

#include "text/text.h"

namespace corvalin {

// The artist, " - " and the song name from the page "http://<host>/m/song?id=<songId>" (the
// number is used as it comes). The page's data-res-author and data-res-name attributes give
// the two values; \ / : * ? < > | in them become ",". Never fails: whatever is missing is
// empty, so an unreachable service gives " - ".
Text lookUpSongTitle(const Text& songId);

// The title cut out of a song page already in code page 936: the author's and the name's
// attribute values, each up to the next double quote and made safe, joined by " - ".
Text songTitleInPage(const Text& page);

// The song service's host, optionally with ":port": the one the program was built with
// (SONG_SERVICE_HOST) unless replaced for this process.
Text songServiceHost();

// Replaces the host for the rest of the process (a front end's option, tests that start the
// service on a free port).
void useSongServiceHost(const Text& host);

}  // namespace corvalin
