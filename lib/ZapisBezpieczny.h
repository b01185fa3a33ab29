// Replacing a whole file so that a crash, a kill or a full disk never leaves it half-written:
// the bytes go to a new file next to the target, are flushed to the disk, and only then take
// the target's name in one rename. Until that rename anyone reading the target sees its previous
// bytes; after it, the new ones - never a mixture, never an empty file.
//
//   TWynikZapisu w = mZapisBezpieczny("/home/u/.config/Belvastrona/Belvastrona.ini", dane.data(), dane.size());
//   if (!w.Udany()) ... w.Blad is the errno, w.Krok the step that failed
//
// The steps, in order:
//   Otwarcie       the temporary file "<target>.tmp-<pid>-<n>" is created exclusively in the
//                  target's folder, mode 0666 less the umask, or the target's own permission bits
//                  when it exists (a symbolic link is followed: its file is replaced, not the link);
//                  failing to give it those bits fails this step
//   Zapis          one write() call; a short write continues, EINTR retries
//   Synchronizacja fsync of the temporary file
//   Zamkniecie     close, whose error can be the first news of a failed delayed write
//   ZmianaNazwy    rename over the target
//   SynchronizacjaKatalogu  open and fsync of the folder, so that the rename itself survives a power cut
//
// A failure up to and including the rename removes the temporary file and leaves the target as
// it was. A failure of the folder sync comes after the rename: the target already holds the new
// bytes, but they may not survive a power cut, so it is still reported as a failure (with
// Zastapiony set); a caller must not take it for a save that is done. A folder that cannot be
// synced at all (EINVAL: the file system has no such operation) counts as synced.
//
// A target that exists and is not a regular file (a device, a pipe) is written in place, without
// these guarantees, as replacing it would remove the device or pipe itself. Being killed mid-save
// can leave one temporary file behind; it never takes the target's name and may be deleted.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

enum class TKrokZapisu { Otwarcie, Zapis, Synchronizacja, Zamkniecie, ZmianaNazwy, SynchronizacjaKatalogu };

struct TWynikZapisu {
    int Blad = 0;                              // errno of the failed step; 0 when the save is complete
    TKrokZapisu Krok = TKrokZapisu::Otwarcie;  // the step that failed (meaningless when Blad == 0)
    bool Zastapiony = false;                   // the target holds the new bytes (also after a failed folder sync)
    bool Udany() const { return Blad == 0; }
};

TWynikZapisu mZapisBezpieczny(const std::string& sciezka, const void* dane, size_t bajtow);

// ---- Fault injection, for tests only ----
//
// When set, the hook is asked before every step of every save. A non-zero answer is an errno
// the step fails with, as if its system call had returned -1 with that errno (the call itself
// is not made; only a failed close still releases the descriptor, as a real one does). EINTR on
// a write is retried like a real one. For a Zapis step `bajtow` holds the size of the coming
// write() call; the hook may lower it (to no less than 1) to force short writes.
//
//   int zapisow = 0;
//   mAwariaZapisu([&](TKrokZapisu k, size_t& n) {
//       if (k != TKrokZapisu::Zapis) return 0;
//       n = std::min<size_t>(n, 4096);
//       return ++zapisow == 3 ? ENOSPC : 0;   // the third write finds the disk full
//   });
//   ...
//   mAwariaZapisu(nullptr);
//
// Unset (the default) it costs one test of an empty function per step. Set and clear it only
// while no save runs on another thread.
using TAwariaZapisu = std::function<int(TKrokZapisu krok, size_t& bajtow)>;
void mAwariaZapisu(TAwariaZapisu awaria);
