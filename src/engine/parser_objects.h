// What a parser may create by name (CreateObject, new ActiveXObject): every owner of a
// Platform that runs parsers fills its object catalogue here, so that they all offer the same.
#pragma once

namespace platform {
class ObjectCatalogue;
class WebTransfer;
}  // namespace platform

namespace juvo {

// Puts into `catalogue` the objects parsers may create: the XML document (its load() fetching
// through `web`).
void registerParserObjects(platform::ObjectCatalogue& catalogue, platform::WebTransfer& web);

}  // namespace juvo
