// Reading a specifier phrase typed by a user: the English text that specifier_to_str() writes
// (Label of View "okButton" of View 1 of Window 0) back into the specifiers of a scripting
// message. Reading is the inverse of writing for every chain that can be addressed:
// specifier_to_str() of the message made from a phrase gives the phrase back, and the phrase
// of a chain gives back the same chain.
//
// The forms read, after a property (a word without blanks or double quotes):
//	Label					direct
//	View 2					index
//	Window -1				reverse index (the sign is the form: -1 is the last)
//	Item [2 to 3]			range, the index then the "range" field as stored
//	Item [-2 to 3]			reverse range
//	View "okButton"			name, everything up to the double quote that ends the
//							phrase or stands before " of ", " in " (or " to " when a value
//							may follow)
//	(none)					a specifier without form
// Specifiers are joined by " of "; one " in " marks the specifier where resolution starts
// over ("autoresolve"). An ID specifier is written like an index and read as one.
#ifndef SPECIFIER_PARSER_H
#define SPECIFIER_PARSER_H

#include <String.h>
#include <SupportDefs.h>

class BMessage;


struct PhraseResult {
	// B_OK, or B_BAD_VALUE when the phrase could not be read; nothing is added then.
	status_t		status;
	// The byte offset where reading stopped: the end of the phrase, the "to" that starts a
	// value, or the first byte of the word that could not be read.
	int32			offset;
	// What was wrong at offset, as a sentence for the user.
	BString			problem;
};


// Reads the phrase in text and adds its specifiers to message in the order they stand, the
// first one (the property asked for) first. With valueMayFollow, reading stops before a
// "to" that follows a complete specifier.
PhraseResult parse_specifiers(const char* text, BMessage* message, bool valueMayFollow);

#endif // SPECIFIER_PARSER_H
