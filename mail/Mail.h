// The mail sender: hands a new message with attachments to the desktop's mail client, whose
// compose window opens for the user to add the recipient and send. The program never sends
// anything itself and keeps no addresses.
//
// The hand-over is the freedesktop one, "xdg-email" (found on PATH):
//   xdg-email --utf8 --subject SUBJECT --attach /abs/path1 --attach /abs/path2 ... [mailto:?body=BODY]
// with no recipient. The body goes in a mailto: address of its own, percent-encoded (CR LF as
// %0D%0A): xdg-email would alter a --body text (it echoes it through the shell, so "\r" in
// "c:\Belvastrona\raporty" became a carriage return, and it adds CR to every line break),
// while the address reaches the client as given. The call waits until the hand-over ends.
// Every outcome is silent for the user (no client, a client error, the user discarding the
// message); when the hand-over cannot be run or fails, the reason goes to standard error and
// the result is false.
//
//   TcMail mail;
//   mail.WyslanieDokumentow(3);                      // w1.htm .. w3.htm of the working folder
//   mail.WyslanieRaportu("Kowalski.rap", "/dane/Raporty/Kowalski.rap");
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TcMail {
public:
    static constexpr int32_t MaksDokumentow = 10;

    // Texts of the two messages (UTF-8; the report notice holds one CR LF).
    static const char* const TematDokumentow;
    static const char* const TematRaportu;
    static const char* const UwagaRaportu;

    // The attachment of document k (1..10) in the working folder: "w1.htm" .. "w10.htm".
    static std::string PlikDokumentu(int32_t k);

    // Mails w1.htm up to w<liczba>.htm of the working folder (written by the caller);
    // `liczba` is 1 to 10.
    bool WyslanieDokumentow(int32_t liczba);
    // Mails one report file: `sciezka` its full path (a file that does not exist is handed
    // over all the same; the client says so), `nazwaPliku` its name.
    bool WyslanieRaportu(const std::string& nazwaPliku, const std::string& sciezka);

    // The hand-over program, looked up on PATH.
    std::string Program = "xdg-email";

private:
    bool Przekazanie(const std::string& temat, const std::string& tresc, const std::vector<std::string>& pliki);
};
