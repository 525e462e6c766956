// A number to call and a text message to send. A number without + is written
// as typed, a local number: phones dial it from where they are, which is what
// the person who typed it meant.
#include <quirvane/content.h>

#include "content/content_text.h"
#include "content/typed_values.h"

namespace quirvane {

ContentText BuildPhone(const std::string& number) {
    std::string normalised;
    const ContentOutcome outcome = content::NormalisePhoneNumber(number, normalised);
    if (outcome != ContentOutcome::Built) {
        return content::Refused(outcome, ContentField::Phone);
    }
    return content::Made("tel:" + normalised);
}

// The message is the rest of the text after the number's colon, so it needs
// no escape, and its line breaks stay.
ContentText BuildTextMessage(const TextMessage& message) {
    std::string number;
    const ContentOutcome outcome = content::NormalisePhoneNumber(message.number, number);
    if (outcome != ContentOutcome::Built) {
        return content::Refused(outcome, ContentField::Phone);
    }
    if (!content::IsPlainText(message.message)) {
        return content::Refused(ContentOutcome::Invalid, ContentField::Message);
    }
    return content::Made("SMSTO:" + number + ':' + message.message);
}

}  // namespace quirvane
