// A process killed while it saves a file: whatever moment the kill hits, the file must read
// back as the content before or after one whole save - never a mixture, never empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "ZabijanieZapisu.h"
#include "mLib.h"

namespace {

std::string Wzor(size_t bajtow, char od, int okres) {
    std::string t(bajtow, '\0');
    for (size_t i = 0; i < bajtow; ++i) t[i] = static_cast<char>(od + static_cast<int>(i % size_t(okres)));
    return t;
}

}  // namespace

TEST(ZapisZabity, TheFileIsAlwaysThePreviousOrTheNewContent) {
    const TKatalogZabijania katalog("belv_zapis_zabity");
    const std::string cel = (katalog.Sciezka() / "dane.dat").string();
    // Different sizes and bytes, so that a cut anywhere shows.
    const std::string a = Wzor(64 * 1024, 'a', 23);
    const std::string b = Wzor(200 * 1024, 'A', 19);

    // Kills are spread over about three saves of the child, however fast the disk is.
    ASSERT_TRUE(mWriteString(cel, b, TrybBledu::Wyjatek));
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(mWriteString(cel, a, TrybBledu::Wyjatek));
    ASSERT_TRUE(mWriteString(cel, b, TrybBledu::Wyjatek));
    ASSERT_TRUE(mWriteString(cel, a, TrybBledu::Wyjatek));
    const auto zapis = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0) / 3;
    const long doZabicia = std::max<long>(300, std::min<long>(3 * zapis.count(), 30000));

    int stara = 0, nowa = 0, pozostawionych = 0;
    ZabijanieWTrakcie(
        200, doZabicia,
        [&] {
            for (bool naB = true;; naB = !naB)
                if (!mWriteString(cel, naB ? b : a, TrybBledu::Cichy)) return;
        },
        [&](int proba, pid_t dziecko) {
            std::string t;
            ASSERT_TRUE(mReadString(cel, t, TrybBledu::Cichy)) << "kill " << proba;
            ASSERT_TRUE(t == a || t == b) << "kill " << proba << ": " << t.size() << " bytes";
            (t == a ? stara : nowa)++;
            // A kill leaves at most the one temporary file of the save it interrupted.
            const int obcych = katalog.UsuniecieTymczasowych("dane.dat", dziecko);
            EXPECT_LE(obcych, 1) << "kill " << proba;
            pozostawionych += obcych;
        });
    // Both contents must have been seen, or the kills never landed after a finished save.
    EXPECT_GT(stara, 0);
    EXPECT_GT(nowa, 0);
    RecordProperty("first_content_seen", stara);
    RecordProperty("second_content_seen", nowa);
    RecordProperty("temporaries_left", pozostawionych);
}
