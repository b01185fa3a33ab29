// An act's formatted text in a text view, as RtfNaTekstZFormatem reads it: the document holds
// one character per byte of the text, so a caret position in the view is the byte offset the
// corpus indexes phrases by.
#pragma once

#include "Rtf.h"

class QTextEdit;

// Fills `widok` with the formatted text: one QTextBlock per line (block alignment), characters
// with bold/italic/underline/point size; character k of t.Tekst is at document position k.
// The widget's font family stays; the caret goes to the start and nothing is left to undo.
void WczytanieTekstuRtf(QTextEdit* widok, const TTekstRtf& t);
