#include "template/TokenLoop.h"

#include "platform/StringList.h"
#include "template/EnvStr.h"
#include "template/TemplateError.h"

void ConsumeTokens(TScanner& scanner, TTemplateSink& sink)
{
    TStringList fields;
    for (int token = scanner.NextToken(); token != TOKEN_END; token = scanner.NextToken()) {
        if (token == TOKEN_TEXT) {
            sink.AddText(scanner.TokenValue());
            continue;
        }
        if (token == TOKEN_FIELD) {
            // Every token up to the closing field belongs to this definition.
            do {
                fields.Add(scanner.TokenValue());
                token = scanner.NextToken();
            } while (token != TOKEN_LAST_FIELD && token != TOKEN_END);
            if (token == TOKEN_END)
                throw ETemplateError("not exists: >");
        }
        if (token == TOKEN_LAST_FIELD) {
            fields.Add(scanner.TokenValue());
            sink.AddDefinition(fields);
            fields.Clear();
        }
    }
}
