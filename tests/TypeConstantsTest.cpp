// The type constants that are names rather than codes: the MIME types of URL files.
#include <Mime.h>
#include <TypeConstants.h>

#include <gtest/gtest.h>

#include <string>

TEST(TypeConstantsTest, UrlTypesAreTheSchemesMimeTypes)
{
	const std::pair<const char*, const char*> kTypes[] = {
		{ B_URL_HTTP, "http" }, { B_URL_HTTPS, "https" }, { B_URL_FTP, "ftp" },
		{ B_URL_GOPHER, "gopher" }, { B_URL_MAILTO, "mailto" }, { B_URL_NEWS, "news" },
		{ B_URL_NNTP, "nntp" }, { B_URL_TELNET, "telnet" }, { B_URL_RLOGIN, "rlogin" },
		{ B_URL_TN3270, "tn3270" }, { B_URL_WAIS, "wais" }, { B_URL_FILE, "file" },
	};
	for (const auto& [type, scheme] : kTypes) {
		EXPECT_EQ(std::string(type), std::string("application/x-vnd.Be.URL.") + scheme);
		EXPECT_TRUE(BMimeType::IsValid(type)) << type;
	}
}
