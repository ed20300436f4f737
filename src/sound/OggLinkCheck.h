#pragma once
// The check an Ogg file passes before libvorbisfile opens it: every link (logical streams one
// after the other) begins with whole, valid Vorbis headers. libvorbisfile 1.3.7 loses its list of
// stream serial numbers, and in a chained file a link's headers, when it refuses a file whose
// header pages are damaged; a file refused here never reaches that path.
//
// The rule for callers: the check reads the file from its start and leaves its position anywhere.
class CVirtualFile;

// True when the file holds at least one link and each link's first pages are, back to back, its
// beginning-of-stream pages (distinct serial numbers throughout the file, one of them a Vorbis
// stream) and the pages that complete that stream's three headers, each header accepted by
// libvorbis. Damage among the sound pages after the headers is left to the decoder.
bool OggLinksHaveWholeHeaders(CVirtualFile& file);
