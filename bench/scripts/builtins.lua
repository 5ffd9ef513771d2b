-- Built-in routine calls on constant strings.
local len, find = string.len, string.find
local n = 0
for i = 1, 1000000 do
  n = n + len('hello world') + find('hello world', 'wor', 1, true)
end
return n
