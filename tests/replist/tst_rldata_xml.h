#pragma once

// Runs the XML tests of the report data store; returns the number of failures.
int RunRLDataXmlTests(int argc, char** argv);
