// A mail to write: mailto: with the subject and body percent-encoded as UTF-8.
// A subject is one header line, so a line break in it becomes a space; the
// body's line breaks are CR LF, as mail has them.
#include <string_view>

#include <quirvane/content.h>

#include "content/content_text.h"
#include "content/typed_values.h"

namespace quirvane {

ContentText BuildMail(const Mail& mail) {
    using content::Refused;
    const std::string_view address = content::Trimmed(mail.address);
    if (address.empty()) {
        return Refused(ContentOutcome::Missing, ContentField::Email);
    }
    if (!content::IsMailAddress(address)) {
        return Refused(ContentOutcome::Invalid, ContentField::Email);
    }
    if (!content::IsPlainText(mail.subject)) {
        return Refused(ContentOutcome::Invalid, ContentField::Subject);
    }
    if (!content::IsPlainText(mail.body)) {
        return Refused(ContentOutcome::Invalid, ContentField::Body);
    }
    // An address may keep @, : and the delimiters that mean nothing in a
    // mailto: address; ? & = ; # / % and the rest are encoded.
    std::string text = "mailto:" + content::PercentEncoded(address, "@:!$'()*+");
    char separator = '?';
    if (!mail.subject.empty()) {
        text += "?subject=" + content::PercentEncoded(content::LineBreaksAs(mail.subject, " "));
        separator = '&';
    }
    if (!mail.body.empty()) {
        text += separator;
        text += "body=" + content::PercentEncoded(content::LineBreaksAs(mail.body, "\r\n"));
    }
    return content::Made(text);
}

}  // namespace quirvane
