#pragma once

// The platform's HTTP functions, on HALHttpConnection. Results: 0 ok, 2 a null or
// negative argument, 3 nothing read (end of the body), 4 not found or the request could
// not be sent, 5 out of memory, 7 the network failed or a request header was refused.
// Strings handed out are new references: the caller releases them with HAL_deleteString.
// Text arguments are UTF-16 units with their count; a null text is allowed where its
// count is 0.

#include <cstdint>

class HALHttpConnection;
class HALString;

// Makes the connection for a URL and connects to its host at once: 0 with *out set, also
// when the host cannot be reached (the first request then fails: response code -1, reads
// 7); 2 for null arguments or a text that is not an http or https URL with a host (the port
// from the URL, else 80 or 443). *out is null on failure.
int HAL_createHTTPConnection(HALHttpConnection** out, const char16_t* url, int32_t length);
// Ends the request, closes the socket and frees the connection. 2 for null, else 0.
int HAL_deleteHTTPConnection(HALHttpConnection* connection);
// Ends the request and closes the socket; the body can no longer be read. 2 for null.
int HAL_closeHTTPConnection(HALHttpConnection* connection);

// The whole URL as given; the host (an IPv6 address in brackets); the port (the URL's, else
// 80 for http, 443 for https); the query (after '?', null when none); the fragment (after
// '#', null when none); the path without its query, always starting with "/"; the method
// ("GET" when none was set). 2 for null arguments, else 0.
int HAL_getHTTPURL(HALHttpConnection* connection, HALString** out);
int HAL_getHTTPHost(HALHttpConnection* connection, HALString** out);
int HAL_getHTTPPort(HALHttpConnection* connection, int32_t* out);
int HAL_getHTTPQuery(HALHttpConnection* connection, HALString** out);
int HAL_getHTTPRef(HALHttpConnection* connection, HALString** out);
int HAL_getHTTPFile(HALHttpConnection* connection, HALString** out);
int HAL_getHTTPRequestMethod(HALHttpConnection* connection, HALString** out);

// Records the method for the request (sent as given; a text that is not an HTTP token
// makes sending fail). 2 for null arguments, else 0.
int HAL_setHTTPRequestMethod(HALHttpConnection* connection, const char16_t* method, int32_t length);
// Records a request header, replacing one of the same name (ignoring case); an empty key
// appends a whole header line. 0; 2 for null arguments; 7 for a name that is not an HTTP
// token or a value with control characters or characters above U+00FF.
int HAL_setHTTPRequestProperty(HALHttpConnection* connection, const char16_t* key, int32_t keyLength,
                               const char16_t* value, int32_t valueLength);
// The value of the request header of that name (ignoring case), null when there is none.
int HAL_getHTTPRequestProperty(HALHttpConnection* connection, const char16_t* name, int32_t length, HALString** out);

// Appends a copy of the bytes to the request body. 0; 2 for null arguments; 5 out of memory.
int HAL_writeHTTPConnection(HALHttpConnection* connection, const uint8_t* bytes, int32_t length);
// The body stays with the connection until the request is sent. 2 for null, else 0.
int HAL_closeHTTPOutputStream(HALHttpConnection* connection);

// Sends the request if it has not gone out, then reads up to 4096 body bytes into the
// connection's buffer (valid until the next read): 0 with the count; 3 with count 0 at the
// end of the body; 7 with count -1 when sending or reading failed (a body cut short
// included); 2 for null arguments.
int HAL_readHTTPConnection(HALHttpConnection* connection, uint8_t** buffer, int32_t* count);

// The following send the request first when it has not gone out. 2 for null arguments.
// The status code (three digits), -1 when there is none; 0.
int HAL_getHTTPResponseCode(HALHttpConnection* connection, int32_t* code);
// The Content-Length header's value, -1 when absent or not a number; 0.
int HAL_getHTTPLength(HALHttpConnection* connection, int64_t* length);
// The Content-Type header's value, null when absent; 0.
int HAL_getHTTPType(HALHttpConnection* connection, HALString** out);
// Response header entry index: its value, or its name (null for the status line, entry 0).
// 4 when there is no such entry.
int HAL_getHTTPHeaderField(HALHttpConnection* connection, int32_t index, HALString** out);
int HAL_getHTTPHeaderFieldKey(HALHttpConnection* connection, int32_t index, HALString** out);
int HAL_getHTTPFirstHeaderField(HALHttpConnection* connection, HALString** out);
// The value of the first response header of that name (ignoring case); 4 when none.
int HAL_getHTTPHeaderFieldByName(HALHttpConnection* connection, const char16_t* name, int32_t length,
                                 HALString** out);
int HAL_getHTTPTransferEncoding(HALHttpConnection* connection, HALString** out);
