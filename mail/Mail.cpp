#include "Mail.h"

#include <cerrno>
#include <filesystem>
#include <cstdio>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Bledy.h"

extern char** environ;

const char* const TcMail::TematDokumentow = "Dokumenty (interpetacje, pisma, tezy) z programu Belvastrona";
const char* const TcMail::TematRaportu = "Plik raportu programu Belvastrona";
const char* const TcMail::UwagaRaportu =
    "UWAGA:\r\nAby plik raportu działał poprawnie należy zapisać go w odpowiedniej lokalizacji. Pliki raportów "
    "przechowywane są w podkatalogu Raporty programu Belvastrona. Przykładowo - jeśli program został zainstalowany "
    "w katalogu c:\\Belvastrona, to plik raportu powinien zostać zapisany w c:\\Belvastrona\\raporty.";

namespace {

std::string BiezacyKatalog() {
    std::error_code blad;
    const std::filesystem::path k = std::filesystem::current_path(blad);
    return blad ? std::string(".") : k.string();
}

// A text as a mailto: value, every byte but letters, digits and "-._~" as %XX. xdg-email
// passes its --body text through the shell's echo (a backslash there is an escape: the "\r"
// of "\raporty" would become a carriage return) and ends every line with CR LF itself; a body
// given in a mailto: address reaches the client exactly.
std::string KodowanieMailto(const std::string& tekst) {
    static const char szesnastkowe[] = "0123456789ABCDEF";
    std::string w;
    for (const unsigned char c : tekst) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            w += char(c);
        } else {
            w += '%';
            w += szesnastkowe[c >> 4];
            w += szesnastkowe[c & 15];
        }
    }
    return w;
}

}  // namespace

std::string TcMail::PlikDokumentu(int32_t k) { return "w" + std::to_string(k) + ".htm"; }

bool TcMail::WyslanieDokumentow(int32_t liczba) {
    if (liczba < 1 || liczba > MaksDokumentow) mBladWewnetrzny("TcMail.WyslanieDokumentow", 1);
    const std::string katalog = BiezacyKatalog();
    std::vector<std::string> pliki;
    for (int32_t k = 1; k <= liczba; ++k) pliki.push_back(katalog + "/" + PlikDokumentu(k));
    return Przekazanie(TematDokumentow, "", pliki);
}

bool TcMail::WyslanieRaportu(const std::string& nazwaPliku, const std::string& sciezka) {
    (void)nazwaPliku;   // the client names the attachment after the file itself
    return Przekazanie(TematRaportu, UwagaRaportu, {sciezka});
}

bool TcMail::Przekazanie(const std::string& temat, const std::string& tresc, const std::vector<std::string>& pliki) {
    std::vector<std::string> argumenty = {Program, "--utf8", "--subject", temat};
    for (const std::string& p : pliki) argumenty.insert(argumenty.end(), {"--attach", p});
    if (!tresc.empty()) argumenty.push_back("mailto:?body=" + KodowanieMailto(tresc));
    std::vector<char*> argv;
    for (std::string& a : argumenty) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int blad = ::posix_spawnp(&pid, Program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (blad != 0) {
        std::fprintf(stderr, "belvastrona: mail hand-over %s could not be started: %s\n", Program.c_str(),
                     std::strerror(blad));
        return false;
    }
    int stan = 0;
    while (::waitpid(pid, &stan, 0) < 0) {
        if (errno != EINTR) {
            std::fprintf(stderr, "belvastrona: mail hand-over %s: %s\n", Program.c_str(), std::strerror(errno));
            return false;
        }
    }
    if (WIFEXITED(stan) && WEXITSTATUS(stan) == 0) return true;
    if (WIFEXITED(stan))
        std::fprintf(stderr, "belvastrona: mail hand-over %s ended with status %d\n", Program.c_str(), WEXITSTATUS(stan));
    else
        std::fprintf(stderr, "belvastrona: mail hand-over %s was stopped by signal %d\n", Program.c_str(),
                     WTERMSIG(stan));
    return false;
}
