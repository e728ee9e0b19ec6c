// The web setup: a small web stub fetches the full setup file of its product
// (or takes it from beside itself), checks that it carries the same web
// token, runs it through the ordinary setup run and deletes what it fetched.
#pragma once

#include <string>

// The web branch of the setup start: writes the agent copy when the package
// asks for one, chooses the source (the stub's own folder when the setup file
// lies there and downloads are not forced) and runs WebDownloadAndRun.
void PrepareWebSetup(const std::string& temp_folder);

// Runs the setup file `name` from `source` (a folder or a folder URL): taken
// as it is when source\name exists, downloaded into the temporary path
// otherwise. Every outcome ends in the setup run or in a message.
void WebDownloadAndRun(const std::string& temp_folder, const std::string& source, const std::string& name);
