#pragma once

namespace store {

class ServerConnection;
struct UnsentBatch;

// Tables of this connection alone that take each batch before it goes into the real ones:
// COPY fills them fastest, and INSERT ... SELECT then passes over rows the server has
// already.
void PrepareUpload(ServerConnection& server);

// The batch in one transaction: all of it or nothing. ServerError when the server fails.
void Upload(ServerConnection& server, const UnsentBatch& batch);

} // namespace store
