// The predicate language of queries: parsed from its text (which comes from
// applications, so it is bounded and checked), printed back, and evaluated against one
// entry (docs/queries.md).
#ifndef _QUERY_PREDICATE_PRIVATE_H
#define _QUERY_PREDICATE_PRIVATE_H

#include <SupportDefs.h>

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace BPrivate {

// The longest predicate accepted, and how deeply its parentheses and negations nest.
const size_t kMaxPredicateLength = 64 * 1024;
const int32 kMaxPredicateDepth = 64;

// One entry as a query sees it. attributeReader fills value (the attribute's data) and
// type, and returns false when the entry has no such attribute.
struct QueryCandidate {
	const char*				name;
	const struct stat*		stat;
	std::function<bool(const char* attribute, uint32* type, std::string* value)>
							attributeReader;
};

class QueryPredicate {
public:
								QueryPredicate();
								~QueryPredicate();

	// B_BAD_VALUE with a message in *error (when error is not NULL) for text that is
	// not a predicate.
			status_t			SetTo(const char* text, std::string* error = NULL);
			bool				IsValid() const { return fRoot != nullptr; }

			bool				Matches(const QueryCandidate& candidate) const;
	// Whether evaluation needs the entry's stat record or its attributes.
			bool				NeedsStat() const { return fNeedsStat; }
			const std::set<std::string>& Attributes() const { return fAttributes; }

	// A literal for text: quoted, with quotes and backslashes escaped.
	static	std::string			Quote(const std::string& text);
	// A pattern that matches text whatever the case of its letters.
	static	std::string			CaseInsensitivePattern(const std::string& text);

	struct Node;

private:
								QueryPredicate(const QueryPredicate&) = delete;
			QueryPredicate&		operator=(const QueryPredicate&) = delete;

			std::unique_ptr<Node> fRoot;
			bool				fNeedsStat;
			std::set<std::string> fAttributes;
};

} // namespace BPrivate

#endif // _QUERY_PREDICATE_PRIVATE_H
