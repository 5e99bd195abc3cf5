#include "engine/parser_objects.h"

#include "platform/xml/xml_document.h"

namespace juvo {

void registerParserObjects(platform::ObjectCatalogue& catalogue, platform::WebTransfer& web) {
  platform::xml::registerDocuments(catalogue, web);
}

}  // namespace juvo
