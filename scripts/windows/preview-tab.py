#!/usr/bin/env python3
"""Takes the part of a browser tab showing the program's preview, for
scripts/windows-test.sh: fetches the page at the address the program opened
(Host and token as a browser sends them), checks it against the composed
snippet and the page file, then listens to the page's change events.

    preview-tab.py URL EXPECTED_SNIPPET PAGE_FILE NICKNAME

Says on standard output, one line each, as it gets there:
  listening   the page is served right and its events are open
  changed     a change was announced and the page then served holds NICKNAME
  refreshed   one more change was announced (the program's F5)
and ends with status 0; with a message and status 1 on any fault.
"""
import http.client
import sys
import urllib.parse

url, expected_file, page_file, nickname = sys.argv[1:]
address = urllib.parse.urlsplit(url)


def get(path):
    connection = http.client.HTTPConnection(address.hostname, address.port, timeout=30)
    connection.request("GET", path)
    answer = connection.getresponse()
    body = answer.read()
    connection.close()
    if answer.status != 200:
        sys.exit(f"GET {path}: HTTP {answer.status}")
    return body


page = get(address.path)
if open(expected_file, "rb").read() not in page:
    sys.exit("the served page does not hold the composed snippet")
if page != open(page_file, "rb").read():
    sys.exit("the served page is not the page file of the cache folder")

events = http.client.HTTPConnection(address.hostname, address.port, timeout=60)
events.request("GET", address.path.removesuffix(".html") + ".events")
stream = events.getresponse()
if stream.status != 200 or stream.getheader("Content-Type") != "text/event-stream":
    sys.exit(f"the events answered HTTP {stream.status}, {stream.getheader('Content-Type')}")
print("listening", flush=True)


def next_event():
    name = None
    while True:
        line = stream.readline()
        if not line:
            sys.exit("the event stream ended")
        line = line.rstrip(b"\n")
        if line.startswith(b"event: "):
            name = line[len(b"event: "):].decode()
        elif not line and name:
            return name


while next_event() != "change" or nickname.encode() not in get(address.path):
    pass
print("changed", flush=True)
while next_event() != "change":
    pass
print("refreshed", flush=True)
